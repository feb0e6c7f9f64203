// The console pages: the panel of each model, the typewriter section, and running programs.
#include "app/help_pages.h"

namespace ormlax::app::help_text {
namespace {

// Fills the model's details into a text: {M} the model's name, {n} its number for page names,
// {loc} a location written as the panel writes it, {last} the last location, {mem} the memory,
// {rV} and {rY} the block registers' labels, {servos} the tape units.
QString ForModel(QString text, bool modelII) {
  text.replace("{M}", modelII ? "ORMLAX II" : "ORMLAX I");
  text.replace("{n}", modelII ? "2" : "1");
  text.replace("{loc}", modelII ? "0042" : "042");
  text.replace("{last}", modelII ? "9999" : "999");
  text.replace("{mem}", modelII ? "10000 words, locations 0000 to 9999"
                                : "1000 words, locations 000 to 999");
  text.replace("{rV}", modelII ? "rW" : "rV");
  text.replace("{rY}", modelII ? "rZ" : "rY");
  text.replace("{servos}", modelII ? "sixteen servos, <code>-</code>, <code>1</code> to "
                                     "<code>9</code> and <code>A</code> to <code>F</code>"
                                   : "ten servos, <code>-</code> and <code>1</code> to "
                                     "<code>9</code>");
  return text;
}

const char* const kModelOption[2] = {
    R"html(<li><b>ORMLAX I with I instruction</b>: the instruction <code>I</code>, which stores
rL, is available; without the option it is an invalid opcode.</li>)html",
    R"html(<li><b>O II operating as O I</b>: the machine behaves like an ORMLAX I. Memory is
1000 words with three-digit addresses (the Location field wraps at 1000), the block instructions
V, W, Y and Z move one unit instead of the count in their modifier, and the overflow trap does
not skip a word. Unchecking it restores 10000 words and four-digit addresses.</li>)html"};

const char* const kConsoleBody = R"html(
<p>The console is the main window, captioned "{M} simulator". It is the supervisory control
console of the machine: it shows the registers and one memory location, lets you type words
into them, store words in memory, clear, run and step programs, and set the console's
switches. The {M} has {mem}. Every control has a tool-tip that says what it does. To see the
console typewriter, press <b>Ormprinter</b>: see
<a href="help:typewriter-{n}">the typewriter section</a>.</p>
<p>New to the machine? Start with <a href="help:running">Loading and running a program</a> and
<a href="help:machine">Words, characters and registers</a>.</p>

<h2>Registers and memory</h2>
<table border="1" cellspacing="0">
<tr><th>Field</th><th>What it shows</th></tr>
<tr><td>Location</td><td>the memory location shown, written with all its digits ({loc})</td></tr>
<tr><td>Contents</td><td>the word at that location, as you type it before you store it</td></tr>
<tr><td>rA</td><td>the accumulator: sums, products, quotients</td></tr>
<tr><td>rF</td><td>the mask register of the extract instruction E (and of the F modifier on the
ORMLAX II)</td></tr>
<tr><td>rL</td><td>the multiplier and comparison register</td></tr>
<tr><td>rX</td><td>the operand of the last arithmetic instruction; the low half of a double-length
product</td></tr>
<tr><td>rCR</td><td>the control register: the word being executed; while the machine is stopped,
the word at rCC</td></tr>
<tr><td>rCC</td><td>the control counter: the location of the next word</td></tr>
<tr><td>rSR</td><td>while you step instruction by instruction, the instruction that comes next
</td></tr>
<tr><td>{rV}, {rY}, rI</td><td>the block registers and the tape input register; they are not
shown word by word, only whether they are "in use" (loaded) or "cleared"</td></tr>
</table>
<p><b>Typing a word.</b> Every character you type or paste into a word field enters at the right,
pushing the oldest one out at the left, so the field holds twelve characters: typing 7 into an
emptied Contents field gives <code>000000000007</code>. The letters you type are turned to upper
case; what the field held already keeps its case, so a code added with the buttons below stays
lower case: the keys A and B, the button r, then the keys C and D give
<code>0000000ABrCD</code>. Whenever a field gets the cursor, by a click or by Tab, the cursor
goes to its end. Typing into rA, rF, rL, rX or rCR changes that register at once. Characters are
not checked against the machine's code, but a return, a line feed or a NUL byte, which no tape
can hold, is left out.</p>
<p><b>Typing a location.</b> The number in the Location field is taken modulo the memory size
and its word appears in Contents. It is an ordinary number field: a digit typed at its end makes
a longer number (typing 3 after 001 gives 13), so select its text first to type a new location,
or step it with <b>-</b> and <b>+</b>. You can also type a new value into rCC to start somewhere
else. Text that is not a number keeps the last valid value, and when you leave the Location
field it shows that location again.</p>
<ul>
<li><b>Store</b> (or Enter in Contents) stores the Contents field at Location, moves Location on
by one and puts the cursor back in Contents: type a word, Enter, type the next word, Enter...</li>
<li><b>-</b> and <b>+</b> step Location down and up by one, wrapping round between 0 and
{last}.</li>
<li>The small buttons <b>i r c t s b n</b> add the machine's special characters, which a
keyboard cannot type, at the right of Contents: ignore, return, cent sign, tab, printer stop
(sigma), printer breakpoint (beta) and illegal character. Their tool-tips name them.</li>
</ul>

<h2>Run control</h2>
<ul>
<li><b>Run</b> runs the program from rCC (or first the word fed with SCICR) until something
stops it. The Running lamp is green. While the program runs, rA, rF, rL and rX are shown as
they change, and rCC and rCR when the run ends. The Location and Contents fields and the buttons
Single Step, Single Instruction, SCICR, Store, - and +, the three Clear buttons, Fill, the
special-character buttons and Power off are disabled until the run ends; Run and Stop are not. A word half done by Single Instruction is
finished first.</li>
<li><b>Stop</b> ends a run after the word in progress; the Running lamp turns red.</li>
<li><b>Single Step</b> executes one word, both of its instructions, and shows rCC and rCR; the
Running lamp turns yellow.</li>
<li><b>Single Instruction</b> executes half a word: first the left-hand instruction (the Running
lamp turns cyan and rSR shows the right-hand one), then, at the next press, the right-hand one,
after which rCC moves on and rSR shows the next instruction.</li>
</ul>
<p>The button that has the cursor carries a frame, and Enter presses it.</p>
<p>A run also ends on the stop instruction <code>90</code>, on every red indicator lamp, on a
Q/T conditional stop, on a "Special functions" warning, on a tape unit that is not ready, and
after a keyboard input answered with "Continue in single-step".</p>
<ul>
<li><b>Clear CC</b> sets rCC to 0.</li>
<li><b>Clear Registers</b> clears rA, rF, rL and rX and every word of {rV}, {rY} and rI. rCC
stays as it is.</li>
<li><b>Clear Memory</b> clears every memory location, puts out the indicator lamps, sets rCC
to 0 and clears the registers.</li>
<li><b>SCICR</b> (Supervisory Control Input to Control Register) puts the Contents field into
rCR: the next Run or Single Step executes that word instead of the word at rCC, and rCC does not
move on for it unless the word transfers control. The cursor then goes to Single Step, so that
Enter steps the word. This is how a program is loaded from tape: see
<a href="help:running">Loading and running a program</a>.</li>
<li><b>Fill</b> types the word at rCC on the console typewriter, followed by a return, and moves
rCC on by one; rSR then shows the keyboard input instruction for the next location (for rCC
{loc} it shows <code>100043</code>). Pressing Fill again and again types memory out one word a
line. The typewriter must be switched on.</li>
<li><b>Memory dump</b> (shown when "Special functions" is checked) writes the file
<code>memdump.txt</code> in the working folder, replacing an earlier one: one line per location
from 0 up to the last one that is not cleared, with the location and the word's two
instructions, and an empty line after every ten locations. When the file cannot be written, a
message box says why.</li>
<li><b>Debugging</b> (shown when "Special functions" is checked, under Memory dump) opens the
Debugging window: breakpoints, the trace, saving and restoring the whole installation, and the
memory window. See <a href="help:debugging">the debugging desk</a>.</li>
</ul>

<h2>Indicators</h2>
<table border="1" cellspacing="0">
<tr><th>Lamp</th><th>Lights red when</th></tr>
<tr><td>Overflow</td><td>a result did not fit and the instruction's "-" modifier stopped the
machine (without it, the overflow routine at location 0 runs and the lamp goes out again)
</td></tr>
<tr><td>Invalid opcode</td><td>an instruction's operation is unknown; a message names it</td></tr>
<tr><td>Breakpoint stop</td><td>the "," instruction stopped the machine</td></tr>
<tr><td>Q/T stop</td><td>the machine is held in a Q/T conditional stop</td></tr>
<tr><td>Running</td><td>green while running, red when stopped, yellow after Single Step, cyan
between the two halves of Single Instruction</td></tr>
<tr><td>Invalid operand</td><td>a multiplication or division met a word that is not a number, or
a division by zero</td></tr>
<tr><td>Invalid address</td><td>an address is not a number, or a block would run past location
9999</td></tr>
<tr><td>50 stop</td><td>a typewriter output instruction stopped the machine ("50 break" set to
Stop)</td></tr>
</table>
<p>Every word executed by Run or Single Step starts with the lamps out, so they show what
happened in the last word.</p>

<h2>Q/T conditional stop</h2>
<p>The switches <b>0</b> to <b>9</b> and <b>All</b> make the comparison instructions Q and T
stop. A Q or T instruction whose modifier is the digit d holds the machine when switch d or All
is on. A switch stays on once clicked; <b>Clear</b> turns them all off.</p>
<p>While the machine is held, the Q/T stop lamp is red and the labels beside <b>Go to</b> and
<b>No go</b> show where the program would go: the transfer's target, or the next word. The
choice that the comparison made is selected; you may change it. Then:</p>
<ul>
<li><b>Run</b> finishes the word with your choice and runs on;</li>
<li><b>Single Step</b>, <b>Single Instruction</b> or <b>Stop</b> finish the word with your
choice and leave the machine stopped.</li>
</ul>

<h2>Options</h2>
<ul>
<li><b>Special functions</b>: warning messages for some program logic errors (storing an empty
{rV} or {rY}, storing from a cleared rI, and on the ORMLAX II a count that the block
instructions do not have), each of which also stops the run; it also shows the
<b>Assembler</b>, <b>Memory dump</b> and <b>Debugging</b> buttons.</li>
{option}
<li><b>Historical speed</b>: runs go at the pace of the machine simulated, about 2,000 simple
words a second, with the typewriter typing 10 characters a second and a tape block taking 80 ms
(see <a href="help:debugging">the debugging desk</a>). Off by default; what happens, and in what
order, is the same at either speed.</li>
<li><b>"," breakpoint</b>: <b>On</b> makes the "," instruction stop the machine after its word
with the Breakpoint stop lamp; <b>Off</b> makes it do nothing. Run goes on with the next
word.</li>
<li><b>50 break</b> sets what the typewriter output instruction <code>50</code> does:
<b>Skip</b> prints nothing, <b>Normal</b> prints, <b>Stop</b> prints and stops the machine
after the word with the 50 stop lamp.</li>
</ul>

<h2>Tape units</h2>
<p>The {M} has {servos}. The option buttons choose the <b>default servo</b>, the one a tape
instruction uses when its servo character is a space; with none chosen it is servo
<code>-</code>. Below each servo, the upper lamp shows its state: grey empty, green mounted,
cyan mounted write-protected, red unloaded (not ready). The lower lamp is yellow while the tape
is away from its beginning. See <a href="help:tapes">Tapes and tape units</a>.</p>

<h2>The other buttons</h2>
<ul>
<li><b>Load Servo</b> opens <a href="help:servo-{n}">the servo window</a> to mount and
dismount tapes.</li>
<li><b>Read Names</b> lists <a href="help:labels">the tapes mounted on each servo</a>.</li>
<li><b>Ormprinter</b> shows <a href="help:typewriter-{n}">the console typewriter</a>.</li>
<li><b>Assembler</b> (shown with Special functions) opens <a href="help:assembler">the
assembler</a>.</li>
<li><b>Off-line functions</b> opens <a href="help:offline">the off-line equipment</a>: the
Ormtyper, the tape and text converters and the high-speed printer.</li>
<li><b>Power off</b> switches the console off: the tape files are closed and the program ends.
Closing the window does the same. Tapes written during the run keep every block written.</li>
</ul>
)html";

const char* const kTypewriterBody = R"html(
<p>The console typewriter, the Ormprinter, prints what a program sends it with the output
instruction <code>50</code> and what you send it with the console's <b>Fill</b> button. The
<b>Ormprinter</b> button shows its section at the bottom of the console (the window grows);
<b>Hide</b> hides it again. Output from a program shows the section by itself. For the rest of
the panel, see <a href="help:console-{n}">the {M} console</a>.</p>

<h2>Keys</h2>
<ul>
<li><b>Power</b> switches the typewriter on (the Power lamp turns green) and off (all its lamps
go out). The typewriter starts switched off, and whatever is sent to it while it is off is
lost. Switching it on prints anything still waiting.</li>
<li><b>Start</b> goes on after a stop: a stop code, an illegal character or a printer breakpoint
halts the printing and enables Start; Start puts out the red lamps and prints the rest.</li>
<li><b>CD</b> switches computer-digit mode on and off (only while the power is on); the CD lamp
is yellow while it is on.</li>
<li><b>Clear</b> takes the paper out: everything printed on it is put on the clipboard, where
you can paste it into any other program, and the paper is emptied. If fewer than 50 lines of
paper were left, a new roll is put in.</li>
<li><b>Breakpoint stop</b>: when checked, the printer breakpoint code <code>b</code> halts the
printing with the breakpoint lamp; when unchecked it is ignored.</li>
</ul>

<h2>Lamps</h2>
<table border="1" cellspacing="0">
<tr><th>Lamp</th><th>Meaning</th></tr>
<tr><td>beside Breakpoint stop</td><td>red: a printer breakpoint <code>b</code> halted the
printing</td></tr>
<tr><td>Stop code</td><td>red: a printer stop <code>s</code> halted the printing</td></tr>
<tr><td>Illegal character</td><td>red: an illegal character <code>n</code> halted the printing
</td></tr>
<tr><td>Power</td><td>green: switched on</td></tr>
<tr><td>CD</td><td>yellow: computer-digit mode</td></tr>
</table>

<h2>What it prints</h2>
<p>Each word sent to the typewriter is printed character by character. Letters print in lower
case; after the code <code>$</code> they print in upper case, and the digits and a few signs as
the symbols above them, until the code <code>?</code>; the code <code>%</code> shifts for one
character only. The code sequence <code>$ABC?DEF</code> prints <code>ABCdef</code>.</p>
<table border="1" cellspacing="0">
<tr><th>Code</th><th>0</th><th>1</th><th>2</th><th>3</th><th>4</th><th>5</th><th>6</th>
<th>7</th><th>8</th><th>9</th><th>;</th><th>+</th><th>/</th></tr>
<tr><td>shifted</td><td>)</td><td>&frac12;</td><td>"</td><td>#</td><td>$</td><td>%</td>
<td>*</td><td>&amp;</td><td>'</td><td>(</td><td>:</td><td>@</td><td>?</td></tr>
</table>
<p>The control codes:</p>
<table border="1" cellspacing="0">
<tr><th>Code</th><th>Effect</th></tr>
<tr><td><code>i</code></td><td>ignore: nothing is printed</td></tr>
<tr><td><code>r</code></td><td>return: a new line; uses one line of paper</td></tr>
<tr><td><code>c</code></td><td>prints the cent sign &cent;</td></tr>
<tr><td><code>t</code></td><td>tab: spaces up to the next multiple of eight columns, at least
one</td></tr>
<tr><td><code>s</code></td><td>printer stop: halts the printing (Stop code lamp)</td></tr>
<tr><td><code>b</code></td><td>printer breakpoint: halts the printing when Breakpoint stop is
checked</td></tr>
<tr><td><code>n</code></td><td>illegal character: halts the printing (Illegal character
lamp)</td></tr>
<tr><td><code>$</code> <code>%</code> <code>?</code></td><td>shift on, shift for one character,
shift off; nothing is printed</td></tr>
</table>
<p>In computer-digit mode every character is printed through the computer-digit table, control
codes included, and nothing else is done: <code>i</code> prints X, <code>r</code> a slash (no new
line), <code>t</code> a V.</p>

<h2>The paper</h2>
<p>The paper supply at switch-on is between 20 and 300 lines. When fewer than 50 lines are left,
a red warning bar beside the paper grows as it runs down. When the paper runs out it turns
black and says "Paper out"; what was printed before stays readable on it, and whatever is
printed now is lost until you press <b>Clear</b>, which puts in a new roll of 32767 lines.
A line longer than the paper is wide is continued on the next line of the view; for the
typewriter it is still one line, and its tab stops count on from the line's start. The paper
shows the last 500 lines of the view.</p>

<h2>With the keyboard</h2>
<p>The keyboard input instruction <code>10</code> waits until the typewriter has printed
everything it was given before it opens the <a href="help:keyboard">keyboard window</a>. If the
typewriter has halted on a stop code, press Start (or Power) to let it finish.</p>
)html";

}  // namespace

HelpPage ConsolePage(bool modelII) {
  QString body = ForModel(kConsoleBody, modelII);
  body.replace("{option}", kModelOption[modelII ? 1 : 0]);
  return Page(ForModel("console-{n}", modelII), ForModel("The {M} console", modelII), body);
}

HelpPage TypewriterPage(bool modelII) {
  return Page(ForModel("typewriter-{n}", modelII),
              ForModel("The {M} console: the typewriter section", modelII),
              ForModel(kTypewriterBody, modelII));
}

HelpPage RunningPage() {
  return Page("running", "Loading and running a program", R"html(
<h2>A first program</h2>
<p>This program types "hello world" on the console typewriter and stops. It works on both
models.</p>
<ol>
<li>Press <b>Ormprinter</b> and then the typewriter's <b>Power</b> key.</li>
<li>The Location field shows 000 (0000 on the ORMLAX II). Click in the Contents field, type
<code>500003900000</code> and press <b>Store</b>. The left-hand instruction <code>500003</code>
prints the word at location 3; the right-hand one, <code>900000</code>, stops the machine.
Location moves on to 001.</li>
<li>Press <b>+</b> twice, so that Location shows 003 (0003). Click in Contents, type
<code>HELLO WORLD</code>, press the small <b>r</b> button (a return) and press <b>Store</b>.
Each character enters at the right of the field, so Contents then holds
<code>HELLO WORLDr</code>.</li>
<li>Press <b>Clear CC</b> and then <b>Run</b>.</li>
</ol>
<p>The typewriter prints <code>hello world</code> (letters print in lower case unless shifted)
and the Running lamp turns red on the stop instruction.</p>

<h2>Loading a program from tape</h2>
<p>A program on tape (an object tape) starts with a block that is read into locations 0 to 59.
To load and start it:</p>
<ol>
<li>Press <b>Load Servo</b> and mount the tape on a servo, for example <code>-</code> (see
<a href="help:servo-1">the servo window</a>).</li>
<li>In the Tape units frame, choose that servo as the default servo.</li>
<li>Press <b>Clear Memory</b> (or at least <b>Clear CC</b>), so that rCC is 0.</li>
<li>If the program types, press <b>Ormprinter</b> and switch the typewriter on.</li>
<li>Type <code>1 0000300000</code> into Contents (a 1, a space, then 0000300000) and press
<b>SCICR</b>.</li>
<li>Press <b>Single Step</b>. The word's left-hand instruction, <code>1 0000</code>, reads the
first block from the default servo (a space as servo character means the default servo) into
rI; the right-hand one, <code>300000</code>, stores rI at locations 0 to 59. rCC stays 0.</li>
<li>Press <b>Run</b>, or step through the program. The program, or the loading routine at its
start, reads its further blocks itself.</li>
</ol>

<h2>Running and stepping</h2>
<p><b>Run</b> goes on until the program stops (the stop instruction <code>90</code>), a lamp
lights, a conditional stop holds it, or you press <b>Stop</b>. <b>Single Step</b> executes one
word; <b>Single Instruction</b> half a word, showing the next instruction in rSR. After a stop,
Run continues from rCC. See <a href="help:console-1">the console</a> for every control.</p>

<h2>Stopping where you want</h2>
<ul>
<li>Put a <code>,</code> instruction (breakpoint) in the program and set the "," breakpoint
switch to On: the machine stops after that word.</li>
<li>Give a Q or T comparison a digit modifier and turn on that Q/T switch: the machine holds at
the comparison and lets you choose Go to or No go.</li>
<li>Set "50 break" to Stop: the machine stops after every word it types.</li>
</ul>

<h2>Results</h2>
<ul>
<li>The typewriter paper: the typewriter's <b>Clear</b> key puts everything printed on the
clipboard.</li>
<li>Tapes: tapes written by the program are files in the working folder; they can be mounted
again in a later run.</li>
<li>Memory: check "Special functions" and press <b>Memory dump</b> to write
<code>memdump.txt</code>.</li>
</ul>
)html");
}

}  // namespace ormlax::app::help_text
