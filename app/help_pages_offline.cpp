// The pages of the off-line equipment: its window, the plugboard editor, the Ormtyper, and a
// whole off-line job step by step.
#include "app/help_pages.h"

namespace ormlax::app::help_text {

HelpPage OffLinePage() {
  return Page("offline", "ORMLAX Off-line Functions", R"html(
<p>The console's <b>Off-line functions</b> button opens this window, the desk of the equipment
that works beside the computer: the Ormtyper, the converters between tapes and text, and the
high-speed printer (HSP) with its plugboards. The machine does not run while the window is
open. Everything here works on files of the working folder; a file mounted on a servo is never
touched. For a whole job, see <a href="help:offline-job">An off-line job step by step</a>.</p>

<h2>Source and target</h2>
<ul>
<li><b>Specify the source tape</b>: the file an operation reads. A name is taken when you press
<b>Enter</b> in the box, click in it, or leave it. A name of a file that does not exist gives
<i>There is no such tape</i>. A file whose length is a whole number of blocks (744 bytes each)
is an ORMLAX tape; any other file can only be converted to a tape.</li>
<li><b>Specify the target tape</b>: the file an operation writes. When the file exists you are
asked <i>That tape is in use; overwrite?</i>. <b>No</b> keeps it: the conversions and the
printer then refuse it (<i>Overwriting the target tape not allowed</i>), while the Ormtyper can
still add to it. Once a target is taken its box is locked until an operation has run to its end
(or you close the window and open it again).</li>
<li>A file mounted on a tape unit (also one unloaded by a program) is refused with <i>... is
mounted on ORMLAX</i>, and the box is emptied.</li>
</ul>
<p>Both boxes empty themselves after every operation that ran to its end, so name the files
again for the next one. An operation stopped by one of its messages keeps them.</p>

<h2>Plugboard</h2>
<ul>
<li><b>1-to-1 split</b> (board <code>0.pgb</code>) prints the ten words of a blockette with a
blank between them; <b>Straight</b> (board <code>1.pgb</code>) prints tape position n at print
position n. Both have a form of 66 lines. They are written into the working folder when they
are missing.</li>
<li><b>User</b> opens <a href="help:plugboard-editor">the plugboard editor</a> to make a new
board or change one.</li>
<li><b>List plugboards</b> shows every board of the working folder by its name and file, in
number order (the button then reads <b>Close list</b>). Click one to use it: a user board opens
in the editor, ready to be changed or simply saved with <b>Done</b>.</li>
</ul>
<p>The line under the options says which board the printer works through, for example
<i>Using 1.pgb Straight</i>, or <i>No usable plugboard is loaded</i>.</p>

<h2>The operations</h2>
<table border="1" cellspacing="0">
<tr><th>Button</th><th>Needs</th><th>Does</th></tr>
<tr><td>Ormtyper</td><td>a target</td><td>opens <a href="help:ormtyper">the Ormtyper</a> to type
data onto the target tape, new or kept</td></tr>
<tr><td>ORMLAX to asm</td><td>a tape source, a target ending in <code>.asm</code> (a name
without any "." gets it)</td><td>writes each word as a line of assembler source, its two
instructions without a label</td></tr>
<tr><td>ORMLAX to text</td><td>a tape source and a target</td><td>writes each word of the tape
as a line of 12 characters</td></tr>
<tr><td>Text to ORMLAX</td><td>any source file and a target</td><td>packs the text into a tape:
line ends and tabs dropped, characters that are not machine characters made <code>n</code>, the
last block filled with <code>0</code></td></tr>
<tr><td>HSP (Normal)</td><td>a tape source and a usable plugboard</td><td>prints each blockette
through the plugboard and its carriage-control tape, 130 characters to a line</td></tr>
<tr><td>HSP (Comp. Dig.)</td><td>a tape source</td><td>prints every blockette as two lines, its
characters and the marks of the special characters under them; always through board 0</td></tr>
<tr><td>HSP (DTMB)</td><td>a tape source</td><td>prints a page per block under a header with the
job name you give, the page number and the date</td></tr>
</table>
<p>The printer runs write into the target as a text file. Without a target they ask <i>The
output will go to the default printer</i>: <b>OK</b> prints on the computer's default printer,
or tells you that there is none. While an operation runs, the other buttons are disabled.</p>

<h2>The printer's breakpoints and lamps</h2>
<p>Tick <b>HSP B.P.</b> before <b>HSP (Normal)</b> and the run stops before every blockette that
holds the breakpoint character <code>b</code>: the <b>HSP B.P.</b> lamp lights red and only
<b>HSP (Normal)</b> can be clicked; click it to go on. You may untick the switch while the run
waits, so that it goes on to the end without stopping again. <b>Exit</b> while it waits ends
the run there (what was printed so far stays) and closes the window. A blockette holding the
printer stop character <code>s</code> ends a run without being printed. At the end of a printer
run the <b>HSP Stop</b> lamp lights (the <b>HSP B.P.</b> lamp when the switch is ticked), and stays
lit until you leave the target box or another operation ends.</p>
<p>A skip to a carriage-control channel that the board's tape does not punch slews a whole
form of paper to trash; the message says so and the window closes after the run.</p>

<h2>From the command line</h2>
<p>The same operations are <code>ormlax-cli tape-to-asm</code>, <code>tape-to-text</code>,
<code>text-to-tape</code>, <code>print</code>, <code>print-cd</code> and
<code>print-dtmb</code>; <code>ormlax-cli help COMMAND</code> explains each. See
<a href="help:command-line">the command-line program</a>.</p>
)html");
}

HelpPage PlugboardEditorPage() {
  return Page("plugboard-editor", "Create a HSP Plugboard", R"html(
<p>The plugboard editor opens from the <a href="help:offline">off-line window</a> when you choose
the <b>User</b> plugboard or pick a user board from the list. A board says, for each of the 120
character positions of a blockette (a tape record of ten words), where it is printed, and comes
with a carriage-control tape for the form.</p>

<h2>The columns</h2>
<p><b>Tape</b> lists the character positions 1 to 120. In the other columns, row r holds what is
wired for tape position r:</p>
<ul>
<li><b>Norm</b>: the print position (1 to 130) on the normal line.</li>
<li><b>ML1</b> to <b>ML6</b>: the print positions on the lines of a multiline print, for
blockettes marked with <code>r</code> in their first position (or their second, after a
carriage-control character).</li>
<li><b>ZP</b>: zero suppression. <code>N</code> applies to normal blockettes, <code>M</code> to
multiline ones; with <code>+</code> a field of suppressed leading zeros starts at this position,
without it the field ends here. For example <code>N+</code>, <code>NM+</code>,
<code>N-</code>.</li>
</ul>
<p>The nine columns show 12 rows at a time and scroll together with the scroll bar on their
right. <b>Clr</b> under a column empties it; <b>All</b> empties every column.</p>

<h2>Typing in a cell</h2>
<p>Click a cell: an entry field opens over it with its contents selected. In the print position
columns:</p>
<ul>
<li>Type the digits and press <b>Enter</b>: the cell gets the position as three digits and the
field moves to the next row (from row 120 to row 1 of the next column). A number outside 1 to
130 is refused with <i>... is not a valid print position</i>. An empty field clears the
cell.</li>
<li><b>+</b> (or <b>=</b>) puts the number of the row above plus 1 into the cell and moves on, so
<b>1 Enter + + +</b> wires four positions in a row.</li>
<li><b>*</b> adds 1 to the number in the field without entering it.</li>
<li>Backspace works; any other key gives <i>Invalid character</i>.</li>
</ul>
<p>In <b>ZP</b> only <code>N</code>, <code>M</code>, <code>+</code> and <code>-</code> are taken
(letters in either case), and <b>Enter</b> enters them; the field keeps at most three characters,
<code>N</code> first and <code>M</code> second.</p>
<p>The arrow keys, <b>Home</b>, <b>End</b>, <b>Page Up</b> and <b>Page Down</b> move the field to
another cell without entering what you typed; the columns scroll to keep it in view. On a
column (outside the field) Left and Right open the field in the next column on the same
row.</p>

<h2>The carriage-control tape</h2>
<p><b>Form length</b> is the number of lines on one page of the form (6 lines to an inch). Each
<b>Channel</b> box lists the lines punched in that channel, separated by commas, for example
<code>1,34</code>:</p>
<ul>
<li>Channels 1 to 4: where a skip requested by the control characters <code>@</code>,
<code>|</code>, <code>?</code> and <code>=</code> (in a blockette's first position) stops.</li>
<li>Channel 5: lines where an automatic skip starts; channel 6: where it ends.</li>
<li>Channel 7: the top of the page, usually <code>1</code>.</li>
</ul>

<h2>Saving</h2>
<p>A new board gets the number one above the highest board file of the folder (at least 3).
<b>Use an existing plugboard</b> shows a box for a board's number: type it and press
<b>Enter</b> (or click in the box) to load that board. A user board is saved again under its own
number; the standard boards 0 and 1 are never changed: <i>1.pgb loaded, but cannot be changed;
output will go to 5.pgb</i> tells you the number the copy gets.</p>
<p><b>Done</b> checks the board first and says what is missing: a form length, a punch in
channel 7, a channel 6 for a channel 5, a name. The form length must be a whole number of lines
from 1 to 32767, and every channel must list whole numbers from 1 to the form length separated
by ","; otherwise <b>Done</b> tells you which box is wrong and the editor stays open. Then it
writes the file <code>n.pgb</code> (<i>Plugboard file n.pgb written</i> when you changed
anything) and the board becomes the one the printer works through. <b>Cancel</b> (or the
window's close button) leaves every file as it was. The Escape key does nothing here, so that a
board's wiring is not lost by accident.</p>
)html");
}

HelpPage OrmtyperPage() {
  return Page("ormtyper", "Ormtyper (Data entry device)", R"html(
<p>The Ormtyper is the key-to-tape device: what you type goes onto a tape file, twelve characters
to a word. Name the target tape in the <a href="help:offline">off-line window</a> and click
<b>Ormtyper</b>.</p>
<ul>
<li>A new target, or one you agreed to overwrite, is emptied and written from its start.</li>
<li>A kept ORMLAX tape asks <i>File already exists / Append to end?</i>: <b>Yes</b> adds the new
words after its last record, <b>No</b> empties it and writes it anew, <b>Cancel</b> leaves it as
it was.</li>
<li>A kept file that is not a tape cannot be typed onto: the window does not open.</li>
</ul>

<h2>Typing</h2>
<p>Letters enter in upper case; a key that is not a machine character (for example
<code>!</code>) is ignored, and <b>Enter</b> makes no new line: the device puts each word on a
line of its own as soon as you type the first character of the next word. The count shows the
words on the tape before you began plus the whole words typed. The buttons add the special
characters an ordinary keyboard cannot type, in their own lower case; their tool-tips say
which:</p>
<table border="1" cellspacing="0">
<tr><th>Buttons</th><th>Code</th><th>Meaning</th></tr>
<tr><td>i, X</td><td>i</td><td>ignore character</td></tr>
<tr><td>r, R</td><td>r</td><td>return (the multiline mark on the printer)</td></tr>
<tr><td>c, C</td><td>c</td><td>cent sign</td></tr>
<tr><td>t, T</td><td>t</td><td>tab</td></tr>
<tr><td>s, P</td><td>s</td><td>printer stop (sigma): ends a printer run</td></tr>
<tr><td>b, B</td><td>b</td><td>printer breakpoint (beta)</td></tr>
<tr><td>n</td><td>n</td><td>illegal character</td></tr>
<tr><td>V</td><td>space</td><td></td></tr>
<tr><td>I</td><td>|</td><td>vertical bar</td></tr>
<tr><td>E</td><td>=</td><td>equal sign</td></tr>
</table>

<h2>Filling and closing</h2>
<ul>
<li><b>Pad with zeros</b> or <b>spaces</b> chooses the character the data is filled out
with.</li>
<li><b>Fill line</b> fills the data out to a whole record of ten words: what you type next
starts a new record, which the printer prints as a new line.</li>
<li><b>Close File</b> fills the data out to a whole block of 60 words, writes it and closes the
window. With nothing typed it writes nothing. A tape holds 1950 blocks: when the data does not
fit, you are told how many more words fit, nothing is written and the data stays in the window,
so that you can shorten it.</li>
<li><b>Abort entry</b> (or the window's close button) writes nothing. A target that was emptied
when the window opened stays empty. The Escape key does nothing here.</li>
</ul>
)html");
}

HelpPage OffLineJobPage() {
  return Page("offline-job", "An off-line job step by step", R"html(
<p>This job types a short stock list onto a tape with the Ormtyper, wires a plugboard that prints
each item's name and its quantity without leading zeros, and prints the tape into a text file.
Start with an empty working folder (<code>ormlax --dir DIR</code>) and press <b>Off-line
functions</b> on the console.</p>

<h2>1. Type the data onto a tape</h2>
<ol>
<li>Click in <b>Specify the target tape</b>, type <code>stock.tap</code> and press
<b>Enter</b>.</li>
<li>Click <b>Ormtyper</b>. The window shows <code>stock.tap</code> and a count of 0 words.</li>
<li>Click <b>spaces</b> under <b>Pad with</b>.</li>
<li>Type the first item, its name as one word of 12 characters and its quantity as a second word
of 12 digits: <code>BOLTS</code>, seven spaces, <code>000000001200</code>. Click <b>Fill
line</b>: the record is filled out with spaces to ten words, and the count shows 10.</li>
<li>In the same way type <code>NUTS</code>, eight spaces, <code>000000000035</code>, <b>Fill
line</b>, and <code>WASHERS</code>, five spaces, <code>000000100000</code>, <b>Fill
line</b>.</li>
<li>Click the <b>s</b> button (printer stop): the record after the data will end the printer
run.</li>
<li>Click <b>Close File</b>. The data is filled out to a whole block of 60 words and written;
the window closes.</li>
</ol>

<h2>2. Wire a plugboard</h2>
<ol>
<li>Click <b>User</b>. The plugboard editor opens on a new board, number 3.</li>
<li>Type <code>Stock list</code> as the <b>Plugboard name</b>.</li>
<li>Click the <b>Norm</b> cell of row 001, type <code>1</code> and press <b>Enter</b>, then press
<b>+</b> eleven times: tape positions 1 to 12 (the name) print at positions 1 to 12.</li>
<li>Click the <b>ZP</b> cell of row 013, type <code>N+</code> and <b>Enter</b>: the quantity's
leading zeros will not be printed.</li>
<li>Click the <b>Norm</b> cell of row 013, type <code>21</code> and <b>Enter</b>, then <b>+</b>
eleven times: the quantity prints at positions 21 to 32.</li>
<li>Type <code>1</code> in <b>Channel 1</b> and in <b>Channel 7</b>, and leave the form length at
66.</li>
<li>Click <b>Done</b>: <i>Plugboard file 3.pgb written</i>. The off-line window now says
<i>Using 3.pgb Stock list</i>.</li>
</ol>

<h2>3. Print the tape into a text file</h2>
<ol>
<li>Type <code>stock.tap</code> in <b>Specify the source tape</b> and press <b>Enter</b>.</li>
<li>Type <code>stock.txt</code> in <b>Specify the target tape</b> and press <b>Enter</b>.</li>
<li>Click <b>HSP (Normal)</b>. The <b>HSP Stop</b> lamp lights when the run has ended at the
printer stop.</li>
<li>Click <b>Exit</b>.</li>
</ol>
<p><code>stock.txt</code> now holds three lines of 130 characters (trailing spaces included),
each ended by CR LF:</p>
<pre>BOLTS                       1200
NUTS                          35
WASHERS                   100000</pre>
<p>To print on paper instead, leave the target box empty: the run asks <i>The output will go to
the default printer</i>. See also <a href="help:offline">the off-line window</a>,
<a href="help:ormtyper">the Ormtyper</a> and <a href="help:plugboard-editor">the plugboard
editor</a>.</p>
)html");
}

}  // namespace ormlax::app::help_text
