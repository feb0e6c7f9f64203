// The assembler's page: its window, the source language, the listing and loading what it made.
#include "app/help_pages.h"

namespace ormlax::app::help_text {

HelpPage AssemblerPage() {
  return Page("assembler", "The assembler", R"html(
<p>The assembler turns a source file into an object tape that the machine can load, and a
listing. Check <b>Special functions</b> on the console to show the <b>Assembler</b> button; it is
disabled while the machine runs or is held.</p>

<h2>The Assembler window</h2>
<ul>
<li><b>File name</b>: the program's name, taken from the working folder. An extension you type
is replaced: <code>prog</code>, <code>prog.asm</code> and <code>prog.txt</code> all assemble
<code>prog.asm</code> and write <code>prog.lst</code> and <code>prog.obj</code>.</li>
<li><b>Insert overflow code</b> puts a four-word overflow routine at locations 0 to 3; the program
then starts at location 4.</li>
<li><b>Insert loader</b> puts a loading routine on the tape in front of the program, so a
program longer than one block (60 words) loads by itself, and its working storage is cleared to
zeros.</li>
<li><b>Keep intermediates</b> keeps the files <code>.i2</code> to <code>.i5</code> the four passes
write.</li>
<li><b>Assemble</b> runs the assembler; the window then closes. With errors you are told
<i>Errors in assembly</i>: the listing shows each error under its line. The source is refused
when it does not exist, and the run is refused when its object tape is mounted on a servo.</li>
</ul>
<p>After an assembly without errors the console prepares to load the new tape: the typewriter
section is shown and switched on, the loading word <code>1 0000300000</code> is put in rCR with
SCICR, and <b>Load Servo</b> proposes <code>prog.obj</code> (once). Mount it on the default
servo, press <b>Single Step</b> to read its first block to location 0, then <b>Run</b>.</p>

<h2>Source lines</h2>
<p>A line is divided into fields by tab characters (two tabs in a row count as one): the
label, the left-hand instruction, the right-hand instruction, then comments. A line beginning
with <code>;</code> or holding only blanks is a comment.</p>
<table border="1" cellspacing="0">
<tr><th>Line</th><th>Makes</th></tr>
<tr><td><code>LOOP&#9;B ALPHA&#9;U 1F</code></td><td>one word; LOOP names its location</td></tr>
<tr><td><code>&#9;|ABCDEF&#9;|GHIJKL</code></td><td>the word ABCDEFGHIJKL as written</td></tr>
<tr><td><code>MSG&#9;TXT&#9;HELLOr</code></td><td>words of text (padded with <code>i</code>);
MSG names the first, MSGZZ the last</td></tr>
<tr><td><code>BUF&#9;WS&#9;60</code></td><td>60 words of working storage after the program
</td></tr>
<tr><td><code>3&#9;A X&#9;00</code></td><td>a program point: <code>3B</code> and <code>3F</code>
refer to the nearest point 3 before or after</td></tr>
<tr><td><code>$ORG&#9;100</code></td><td>the next word is at location 100</td></tr>
<tr><td><code>$CPP</code></td><td>forgets every program point</td></tr>
<tr><td><code>$END</code></td><td>does nothing; lines after it are assembled as usual</td></tr>
</table>
<p>A code line needs at least three fields (label, left-hand and right-hand instruction), even
when the label is empty; only a pseudo-operation line may be shorter. Every <code>!</code> in a
text is left out. A field that begins with <code>|</code> is a half-word written out:
<code>|AB</code> gives <code>AB</code>, three blanks and <code>0</code>.</p>
<p>An instruction is its two operation characters followed by an address: a number, a symbol
with an optional offset (<code>ALPHA+2</code>), <code>$</code> for the word's own location, a
program point, or an automatic constant such as <code>+E012</code>, which makes the word
012012000000 after the program (the letter A to L says which groups of three digits hold the
value). An empty address is 0000.</p>
<p>The constant word is four groups of three characters; the reference's three characters go
into the groups its letter selects, every other group is <code>000</code>, and every distinct
reference makes one constant:</p>
<table border="1" cellspacing="0">
<tr><th>Letter</th><th>Groups</th><th>Letter</th><th>Groups</th><th>Letter</th><th>Groups</th></tr>
<tr><td>A</td><td>1</td><td>E</td><td>1, 2</td><td>I</td><td>1, 3, 4</td></tr>
<tr><td>B</td><td>2</td><td>F</td><td>2, 3</td><td>J</td><td>1, 2, 4</td></tr>
<tr><td>C</td><td>3</td><td>G</td><td>3, 4</td><td>K</td><td>1, 2, 3</td></tr>
<tr><td>D</td><td>4</td><td>H</td><td>2, 3, 4</td><td>L</td><td>1, 2, 3, 4</td></tr>
</table>

<h2>Errors</h2>
<p>Every error makes the run end with <i>Errors in assembly</i> and is printed in the listing
under its line. Errors 0, 2 and 3 keep the object tape from being written (an earlier one stays
as it was); after errors 1 and 4 alone it is written, with the reference taken as a number and
the area one word long.</p>
<table border="1" cellspacing="0">
<tr><th>Code</th><th>Message</th><th>Raised when</th><th>Object tape</th></tr>
<tr><td>0</td><td>Invalid program point on line</td><td>a numeric label is not 0 to 9</td>
<td>not written</td></tr>
<tr><td>1</td><td>Program point not defined</td><td>a reference <code>nB</code> or
<code>nF</code> finds no definition in its section</td><td>written</td></tr>
<tr><td>2</td><td>Not enough fields in the line</td><td>a code line has fewer than three
fields</td><td>not written</td></tr>
<tr><td>3</td><td>Undefined symbol</td><td>an address names a symbol that no label
defines</td><td>not written</td></tr>
<tr><td>4</td><td>Storage count out of range, 1 assumed</td><td>a WS count is below 1 or above
the memory size</td><td>written</td></tr>
</table>

<h2>The listing</h2>
<p><code>prog.lst</code> shows the program with each word's location and label, every error
under its line, the automatic constants, the working-storage areas, and a cross-reference of
every symbol with its definition and the locations that use it.</p>
<p>See also <a href="help:running">Loading and running a program</a> and
<a href="help:instructions">the instruction set</a>.</p>
)html");
}

}  // namespace ormlax::app::help_text
