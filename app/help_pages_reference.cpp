// The reference pages: the servo window, tapes, the machine's words and registers, and the
// instruction set.
#include <QStringList>

#include "app/help_pages.h"
#include "core/character_code.h"
#include "core/operations.h"

namespace ormlax::app::help_text {
namespace {

// The machine's 64 characters in code order, sixteen to a row, from the simulator's own table.
QString CharacterCodeTable() {
  QString html = R"html(<table border="1" cellspacing="0"><tr><th>Codes</th>)html";
  for (int column = 0; column < 16; ++column) html += QString("<th>+%1</th>").arg(column);
  html += "</tr>";
  for (int row = 0; row < 4; ++row) {
    html += QString("<tr><th>%1-%2</th>").arg(row * 16).arg(row * 16 + 15);
    for (int column = 0; column < 16; ++column) {
      const char c = CharacterTable[static_cast<std::size_t>(row * 16 + column)];
      const QString shown =
          c == ' ' ? QString("sp") : QString(QChar::fromLatin1(c)).toHtmlEscaped();
      html += "<td><code>" + shown + "</code></td>";
    }
    html += "</tr>";
  }
  return html + "</table>";
}

const char* const kServoBody = R"html(
<p>The console's <b>Load Servo</b> button opens this window, "Servo Control", to mount tapes on
the tape units (servos) and take them off. The {M} has {servos}. Beside each servo, the first
lamp shows its state (grey empty, green mounted, cyan mounted write-protected, red unloaded by
the program) and the second is yellow while its tape is away from the beginning. Work through
the numbered steps:</p>
<ol>
<li><b>Select Servo by clicking.</b> If a tape is mounted on it you are asked whether to unmount
it; <b>Yes</b> takes it off (its file is closed), <b>No</b> leaves everything as it was.</li>
<li><b>Enter file to mount on this servo</b>, then press Enter or click in the box. A name that
is not a full path is taken from the working folder (the folder given with <code>--dir</code>,
else the current folder). If the file does not exist you are asked whether it is a blank tape:
<b>Yes</b> lets you mount it (the file is made when it is mounted), <b>No</b> clears the name.
A file whose length is not a whole number of blocks (744 bytes each) is refused as not an
ORMLAX tape.</li>
<li><b>Check if write-protected</b> to let programs read the tape but not write on it.</li>
<li><b>Click here to mount this tape.</b> The file is checked once more, record by record; a
file that is not in the tape format is refused with the message that it "does not appear to be
a valid tape file". Otherwise the tape is mounted at its beginning.</li>
<li><b>Click here to exit this process</b> closes the window; or mount additional tapes first.
</li>
</ol>
<p>After an assembly without errors the window proposes the new object tape in step 2, once.
When the window closes, the servo lamps on the console show the new state. If a program has
unloaded a tape, mount it again here to make the servo ready. See
<a href="help:tapes">Tapes and tape units</a> for how tapes work, and
<a href="help:labels">Read Names</a> for the list of mounted tapes.</p>
)html";

// One row of the instruction table for each entry of the machine's own table of operations.
QString InstructionRows() {
  QString rows;
  for (const Operation& o : Operations()) {
    const char* address = o.address == AddressUse::Memory     ? "m"
                          : o.address == AddressUse::Transfer ? "right half's"
                                                              : "";
    rows += QString("<tr><td><code>%1</code></td><td>%2</td><td>%3</td><td>%4</td><td>%5</td></tr>")
                .arg(QString(QChar::fromLatin1(o.op)).toHtmlEscaped(),
                     QString::fromUtf8(o.name).toHtmlEscaped(),
                     QString::fromStdString(ModifiersText(o)).toHtmlEscaped(), address,
                     QString::fromUtf8(o.description).toHtmlEscaped());
  }
  return rows;
}

}  // namespace

HelpPage ServoPage(bool modelII) {
  QString body = kServoBody;
  body.replace("{M}", modelII ? "ORMLAX II" : "ORMLAX I");
  body.replace("{servos}", modelII ? "sixteen servos, <code>-</code>, <code>1</code> to "
                                     "<code>9</code> and <code>A</code> to <code>F</code>"
                                   : "ten servos, <code>-</code> and <code>1</code> to "
                                     "<code>9</code>");
  return Page(modelII ? "servo-2" : "servo-1",
              modelII ? "Servo Control on the ORMLAX II" : "Servo Control on the ORMLAX I", body);
}

HelpPage TapesPage() {
  return Page("tapes", "Tapes and tape units", R"html(
<p>A tape is a file on your disk. You mount it on a servo in
<a href="help:servo-1">the servo window</a>, and programs read and write it block by block. A
mounted tape's file stays open until the tape is taken off, unloaded, or the console is switched
off.</p>

<h2>Blocks and records</h2>
<p>A block is 60 words, the unit of every transfer between the machine and a tape. In the file a
block is six records of ten words each; a record is 124 bytes: a two-byte length field (always
122), the 120 characters of its ten words, and a line end (CR LF). A block is therefore 744
bytes, and a tape file is always a whole number of blocks. There is no header and no end mark:
the first record is the start of the first block, and the data ends where the file ends.</p>
<p>A tape holds at most 1950 blocks: 117000 words, 1,450,800 bytes. A file that does not exist
is a blank tape; it is made when you mount it.</p>

<h2>End of data</h2>
<p>When a tape is mounted, its data ends after the last block in the file. Writing a block makes
it the last block for as long as the tape stays mounted: the blocks after it can no longer be
read. The file is never shortened, so those blocks come back when the tape is mounted
again.</p>

<h2>What programs do with tapes</h2>
<ul>
<li>Read forward: the next block goes into rI, and the tape moves on by one block.</li>
<li>Read backward: the block before the tape's position goes into rI, in the same word order,
and the tape moves back by one block. A read forward followed by a read backward reads the same
block twice.</li>
<li>Store rI: instructions 3 and 4 put rI's 60 words into memory.</li>
<li>Write: 60 words from memory become the next block.</li>
<li>Rewind: back to the beginning. Rewind with interlock unloads the tape: the servo is not
ready until you mount a tape on it again.</li>
</ul>
<p>A tape instruction names its servo with its second character (<code>-</code>,
<code>1</code> to <code>9</code>, and on the ORMLAX II <code>A</code> to <code>F</code>); a
space means the default servo chosen on the console.</p>

<h2>Write protection</h2>
<p>A tape mounted with "Check if write-protected" can be read but not written: a write stops
the machine with the message that the servo is not ready.</p>

<h2>Messages</h2>
<table border="1" cellspacing="0">
<tr><th>Message</th><th>What happened</th></tr>
<tr><td>Servo <i>x</i> not ready</td><td>the servo is empty or unloaded, or it is
write-protected and the program writes. The instruction is not done and the run stops.</td></tr>
<tr><td>Reading past end of data</td><td>a read forward after the last block of data</td></tr>
<tr><td>Attempt to read past end of tape<br>Attempt to write past end of tape</td><td>a transfer
beyond block 1950</td></tr>
<tr><td>Attempt to read past beginning of tape</td><td>a read backward at the beginning</td></tr>
</table>
<p>Each of the last four names the servo on its second line. Nothing is transferred, the tape
is unloaded (its servo lamp turns red), and the program goes on: the next instruction for that
servo finds it not ready.</p>

<h2>The lamps</h2>
<p>The console and the servo window show two lamps for each servo. The first shows the state:
grey empty, green mounted, cyan mounted write-protected, red unloaded. The second is yellow while
the tape is away from its beginning and grey when it is rewound.</p>
)html");
}

HelpPage MachinePage() {
  return Page("machine", "Words, characters and registers",
              QString(R"html(
<h2>Words</h2>
<p>The memory of the ORMLAX I holds 1000 words (locations 000 to 999), that of the ORMLAX II
10000 words (0000 to 9999). A word is twelve characters. It can be:</p>
<ul>
<li>a number: character 1 is the sign (<code>-</code> for negative, anything else positive;
the machine writes <code>0</code>), characters 2 to 12 are eleven decimal digits. Multiplication
and division read the number as a fraction, &plusmn;0.ddddddddddd; addition works digit by
digit. <code>-50000000000</code> is -0.5;</li>
<li>twelve characters of text, such as <code>HELLO WORLDr</code>;</li>
<li>two instructions of six characters: the left-hand one (characters 1 to 6) is executed
first, then the right-hand one (7 to 12).</li>
</ul>
<p>The cleared word is <code>000000000000</code>.</p>

<h2>Instructions</h2>
<p>Character 1 of an instruction is the operation, character 2 the modifier (a count, a servo,
or <code>F</code>, <code>-</code>, <code>H</code>). The address is the last three characters on
the ORMLAX I (character 3 is not looked at) and the last four on the ORMLAX II. For example
<code>B00100</code> loads rA and rX from location 100 on either model. See
<a href="help:instructions">the instruction set</a>.</p>

<h2>The character code</h2>
<p>The machine has 64 characters. Their order is the machine's collating order, which the
comparison T uses:</p>
%1
<p>The lower-case letters are the control characters: <code>i</code> ignore, <code>r</code>
return, <code>c</code> cent sign, <code>t</code> tab, <code>s</code> printer stop (sigma),
<code>b</code> printer breakpoint (beta) and <code>n</code> illegal character (11111). The
console and the keyboard window have buttons to type them.</p>
<p>The characters <code>'</code>, <code>&amp;</code> and <code>(</code> are digits worth 10, 11
and 12 in multiplication and division; addition and subtraction count them as 0.</p>

<h2>Registers</h2>
<ul>
<li><b>rA</b> accumulator; <b>rX</b> operand register and low half of double-length products;
<b>rL</b> multiplier and comparison register; <b>rF</b> mask register.</li>
<li><b>rCC</b> control counter, the location of the next word; <b>rCR</b> control register,
the word being executed; <b>rSR</b> the next instruction while stepping by instructions.</li>
<li><b>rV</b> (rW on the ORMLAX II) and <b>rY</b> (rZ) block registers of the V, W, Y and Z
instructions: up to 10 and 60 words.</li>
<li><b>rI</b> tape input register: the 60 words of the last block read.</li>
</ul>

<h2>How a word is executed</h2>
<p>The machine takes the word at rCC (or the word fed to rCR with SCICR), executes its left-hand
and then its right-hand instruction, and moves rCC on by one. A transfer (Q, T, U) always goes
to the address of the <i>right-hand</i> instruction of its word, and takes effect after the
right-hand instruction has run: the word <code>B00200U00300</code> loads rA and goes on at
300.</p>
<p><b>Overflow.</b> When an arithmetic result does not fit, the machine finishes the word,
moves rCC on as usual (on the ORMLAX II one word further, unless it operates as an ORMLAX I) and
then executes the word at location 0, both of its instructions, before it goes on at rCC.
Location 0 is where a program keeps its overflow routine. When the last instruction of the word
carries the modifier <code>-</code>, the machine stops instead, with the Overflow lamp lit.</p>
<p><b>Rounding.</b> M and N round the product in rA to eleven digits, halves upward, and D
rounds the quotient in rA the same way; the truncated quotient in rX and both halves of P's
22-digit product are not rounded.</p>
)html")
                  .arg(CharacterCodeTable()));
}

HelpPage InstructionsPage() {
  const QString rows = InstructionRows();
  return Page("instructions", "The instruction set",
              QString(R"html(
<p>m is the instruction's address, (m) the word at m, s a servo, n a count: the digit value of
the modifier (0 to 12), or 1 when it has none. 0 in a register means the cleared word. Any
other operation character, including O, is an invalid opcode.</p>
<table border="1" cellspacing="0">
<tr><th>Op</th><th>Name</th><th>Modifier</th><th>Address</th><th>Effect</th></tr>
%1
</table>

<h2>Modifiers</h2>
<ul>
<li><code>-</code> on A, D, M, N, P, S and X in the right-hand half of a word: an overflow in
that word stops the machine instead of running the overflow routine at location 0.</li>
<li><code>F</code> (ORMLAX II) on A, D, E, M, N, P and S: the operand is masked by rF, every
character becomes 0 where rF's character has an even code. E with F also stores rA at m.</li>
<li><code>H</code> (ORMLAX II) on A and S: the sum is also stored at m.</li>
<li>A count on V, W, Y and Z (ORMLAX II): V and W move 1 to 10 words (<code>'</code> counts
10), Y and Z 1 to 6 blocks of ten. With "O II operating as O I" they move one unit.</li>
</ul>

<h2>Transfers and comparisons</h2>
<p>U, Q and T go to the address of the right-hand instruction of their word, after that
instruction has run. Q and T compare rA with rL; with a digit modifier and the matching Q/T
switch on, the machine holds so that you can choose <b>Go to</b> or <b>No go</b> (see
<a href="help:console-1">the console</a>). T compares character codes from the left, so the
sign takes part like any character: <code>000000000005</code> is greater than
<code>-00000000009</code>.</p>

<h2>Faults</h2>
<ul>
<li>An address that is not a number, or a block that would pass location 9999: Invalid address
lamp, and the machine stops after the word.</li>
<li>M, N, P or D with a word that is not a number, or D by zero: Invalid operand lamp and a
stop.</li>
<li>An unknown operation: the message <i>"xx" is not a valid opcode</i>, the Invalid opcode
lamp and a stop.</li>
<li>Two hardware faults of the real machines are simulated: <a href="help:fuse-memory">a blown
fuse</a> and <a href="help:fuse-adder">an adder error</a>.</li>
</ul>
)html")
                  .arg(rows));
}

}  // namespace ormlax::app::help_text
