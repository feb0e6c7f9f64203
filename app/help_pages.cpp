// The page index, the contents, and the pages of the smaller windows.
#include "app/help_pages.h"

#include <map>

#include "app/guide.h"

namespace ormlax::app {
namespace {

// The help context numbers the windows carry, and their pages.
const std::map<int, QString>& ContextPages() {
  static const std::map<int, QString> pages = {
      {1000, "startup"},      {4000, "console-1"},    {4010, "console-2"},
      {4020, "typewriter-1"}, {4030, "typewriter-2"}, {4100, "keyboard"},
      {5000, "servo-1"},      {5010, "servo-2"},      {5100, "labels"},
      {5200, "ormtyper"},     {6000, "assembler"},    {7000, "fuse-memory"},
      {7001, "fuse-adder"},   {8000, "offline"},      {8100, "plugboard-editor"},
      {9000, "debugging"},    {9100, "memory"},
  };
  return pages;
}

std::vector<HelpPage> BuildPages() {
  using namespace help_text;
  return {ContentsPage(),        StartupPage(),        ConsolePage(false), ConsolePage(true),
          TypewriterPage(false), TypewriterPage(true), RunningPage(),      KeyboardPage(),
          ServoPage(false),      ServoPage(true),      TapesPage(),        LabelsPage(),
          FusePage(1),           FusePage(2),          MachinePage(),      InstructionsPage(),
          AssemblerPage(),       CommandLinePage(),    OffLinePage(),      PlugboardEditorPage(),
          OrmtyperPage(),        OffLineJobPage(),     DebuggingPage(),    MemoryPage()};
}

}  // namespace

GuidePage GuidePageOf(const QString& name) {
  static const GuidePage gettingStarted{"getting-started.md", "Getting started"};
  static const GuidePage console{"console.md", "The console and its switches"};
  static const GuidePage typewriter{"typewriter.md", "The typewriter and the keyboard"};
  static const GuidePage tapes{"tapes.md", "Tapes and tape units"};
  static const GuidePage assembler{"assembler.md", "The assembler's language"};
  static const GuidePage offLine{"offline.md", "The off-line equipment"};
  static const GuidePage debugging{"debugging.md", "The debugging desk"};
  static const std::map<QString, GuidePage> pages = {
      {"startup", gettingStarted},
      {"running", gettingStarted},
      {"console-1", console},
      {"console-2", console},
      {"fuse-memory", console},
      {"fuse-adder", console},
      {"machine", assembler},
      {"typewriter-1", typewriter},
      {"typewriter-2", typewriter},
      {"keyboard", typewriter},
      {"servo-1", tapes},
      {"servo-2", tapes},
      {"labels", tapes},
      {"tapes", tapes},
      {"assembler", assembler},
      {"instructions", assembler},
      {"command-line", {"cli.md", "The ormlax-cli reference"}},
      {"offline", offLine},
      {"plugboard-editor", offLine},
      {"ormtyper", offLine},
      {"offline-job", offLine},
      {"debugging", debugging},
      {"memory", debugging},
  };
  const auto found = pages.find(name);
  return found == pages.end() ? GuidePage{"README.md", "The ORMLAX user's guide"} : found->second;
}

const std::vector<HelpPage>& HelpPages() {
  static const std::vector<HelpPage> pages = BuildPages();
  return pages;
}

QString HelpPageNameOf(int context) {
  const auto found = ContextPages().find(context);
  return found == ContextPages().end() ? QString(kContentsPageName) : found->second;
}

const HelpPage* FindHelpPage(const QString& name) {
  for (const HelpPage& page : HelpPages()) {
    if (page.name == name) return &page;
  }
  return nullptr;
}

const HelpPage& FindHelpPageOrContents(const QString& name) {
  const HelpPage* page = FindHelpPage(name);
  return page != nullptr ? *page : HelpPages().front();
}

QUrl HelpPageUrl(const QString& name) {
  return QUrl(QString(kHelpScheme) + ":" + name);
}

namespace help_text {

HelpPage Page(const QString& name, const QString& title, const QString& body) {
  static const QString head = R"html(<html><head><title>%1</title><style>
h1 { color: #1b3a6b; font-size: 17pt; }
h2 { color: #1b3a6b; font-size: 13pt; margin-top: 14px; }
h3 { font-size: 11pt; margin-top: 10px; }
code, tt { font-family: monospace; }
td, th { padding: 2px 6px; vertical-align: top; }
th { background-color: #dde4ef; text-align: left; }
p.note { background-color: #f4f1e4; }
</style></head><body><h1>%1</h1>)html";
  QString html = head.arg(title) + body;
  // The guide page, as a link to where it is on this computer.
  const GuidePage guide = GuidePageOf(name);
  const QUrl url = GuideUrl(guide.file);
  html += QString(R"html(<p>In the user's guide: <i>%1</i>, <a href="%2">%3</a></p>)html")
              .arg(guide.title.toHtmlEscaped(), url.toString(QUrl::FullyEncoded).toHtmlEscaped(),
                   url.toLocalFile().toHtmlEscaped());
  if (name != kContentsPageName) {
    html += R"html(<hr><p><a href="help:contents">Contents</a></p>)html";
  }
  html += "</body></html>";
  return {name, title, html, guide.file};
}

HelpPage ContentsPage() {
  return Page(kContentsPageName, "ORMLAX Help", R"html(
<p>ORMLAX simulates the ORMLAX I and the ORMLAX II, decimal computers of the tape era, with
their supervisory control console, console typewriter and keyboard, and up to sixteen tape
units whose tapes are files on your disk.</p>
<p>Press <b>F1</b> in any window of the simulator to read about that window. The buttons above
this page bring you back to these contents and move back and forth through the pages you
have read.</p>

<h2>Getting started</h2>
<ul>
<li><a href="help:startup">Starting ORMLAX: choosing the model</a></li>
<li><a href="help:running">Loading and running a program</a></li>
</ul>

<h2>The console</h2>
<ul>
<li><a href="help:console-1">The ORMLAX I console</a></li>
<li><a href="help:console-2">The ORMLAX II console</a></li>
<li><a href="help:typewriter-1">The ORMLAX I console: the typewriter section</a></li>
<li><a href="help:typewriter-2">The ORMLAX II console: the typewriter section</a></li>
</ul>

<h2>The other windows</h2>
<ul>
<li><a href="help:keyboard">Console Keyboard Input</a></li>
<li><a href="help:servo-1">Servo Control on the ORMLAX I</a> and
<a href="help:servo-2">on the ORMLAX II</a></li>
<li><a href="help:labels">Labels on mounted tapes</a></li>
<li><a href="help:assembler">The assembler</a></li>
<li><a href="help:fuse-memory">A fuse has blown</a> and
<a href="help:fuse-adder">Hardware error</a></li>
</ul>

<h2>The off-line equipment</h2>
<ul>
<li><a href="help:offline-job">An off-line job step by step</a></li>
<li><a href="help:offline">ORMLAX Off-line Functions</a></li>
<li><a href="help:plugboard-editor">Create a HSP Plugboard</a></li>
<li><a href="help:ormtyper">Ormtyper (Data entry device)</a></li>
</ul>

<h2>The debugging desk</h2>
<ul>
<li><a href="help:debugging">Breakpoints, the trace, sessions and historical speed</a></li>
<li><a href="help:memory">The memory window</a></li>
</ul>

<h2>Reference</h2>
<ul>
<li><a href="help:machine">Words, characters and registers</a></li>
<li><a href="help:instructions">The instruction set</a></li>
<li><a href="help:tapes">Tapes and tape units</a></li>
<li><a href="help:command-line">The command-line program</a></li>
</ul>
)html");
}

HelpPage StartupPage() {
  return Page("startup", "Starting ORMLAX: choosing the model", R"html(
<p>When ORMLAX starts, the start-up window asks which machine to simulate. The choice holds
until you switch the console off; to change the model, start the program again.</p>
<ul>
<li><b>ORMLAX I</b> opens the console of an ORMLAX I.</li>
<li><b>ORMLAX II</b> opens the console of an ORMLAX II.</li>
<li><b>Quit</b> ends the program at once, without opening the console.</li>
</ul>
<p>Closing the start-up window with its own close button means ORMLAX I.</p>

<h2>The two models</h2>
<table border="1" cellspacing="0">
<tr><th></th><th>ORMLAX I</th><th>ORMLAX II</th></tr>
<tr><td>Memory</td><td>1000 words, locations 000 to 999</td>
<td>10000 words, locations 0000 to 9999</td></tr>
<tr><td>Addresses</td><td>three digits, characters 4 to 6 of an instruction</td>
<td>four digits, characters 3 to 6 of an instruction</td></tr>
<tr><td>Tape units</td><td>10 servos: - and 1 to 9</td><td>16 servos: -, 1 to 9 and A to F</td></tr>
<tr><td>Block registers</td><td>rV (2 words used), rY (10 words used)</td>
<td>rW (up to 10 words), rZ (up to 60 words)</td></tr>
<tr><td>Block instructions V, W, Y, Z</td><td>fixed size</td>
<td>the modifier counts how much is moved</td></tr>
<tr><td>Modifiers F and H</td><td>not available</td><td>masked operands (F), store the sum
(H)</td></tr>
<tr><td>I instruction (store rL)</td><td>only with the option "ORMLAX I with I
instruction"</td><td>always</td></tr>
<tr><td>Overflow trap</td><td>continues with the next word</td>
<td>skips one word (unless "O II operating as O I" is checked)</td></tr>
</table>
<p>An ORMLAX II can also behave like an ORMLAX I: see the check box "O II operating as O I" on
<a href="help:console-2">its console</a>.</p>

<h2>Starting from the command line</h2>
<p>The desktop program takes two options:</p>
<pre>ormlax [--model I|II] [--dir DIR]
ormlax --version | --help</pre>
<ul>
<li><code>--model I</code> or <code>--model II</code> skips the start-up window and opens the
console of that model at once.</li>
<li><code>--dir DIR</code> names the folder that tape files and the memory dump are taken from
and written to. Without it, that is the current folder.</li>
<li><code>--version</code> shows the program's version, <code>--help</code> this usage.</li>
</ul>
<p>For running programs without windows, see <a href="help:command-line">the command-line
program</a>.</p>
)html");
}

HelpPage KeyboardPage() {
  return Page("keyboard", "Console Keyboard Input", R"html(
<p>A program reads a word from the console keyboard with the input instruction <code>10</code>
followed by an address (for example <code>100150</code> reads into location 150).
Before the window opens, the instruction waits until the
<a href="help:typewriter-1">console typewriter</a> has printed everything it was given; if the
typewriter has stopped on a stop code, press its <b>Start</b> key (or <b>Power</b>) to let it
finish. While the window is open the machine waits inside the instruction.</p>

<h2>Typing the word</h2>
<p>The field always holds exactly twelve characters and starts as
<code>000000000000</code>. Every character you type enters at the right and pushes the oldest
one out at the left; the letters you type are turned to upper case, while the codes the buttons
below add keep theirs. Typing <code>A</code>, <code>B</code>, <code>C</code> therefore gives
<code>000000000ABC</code>.</p>
<p>The buttons below the field add the machine's special characters, which an ordinary
keyboard cannot type. Each drops the first character of the field and adds its code at the
right, in lower case:</p>
<table border="1" cellspacing="0">
<tr><th>Button</th><th>Code</th><th>Meaning on the typewriter</th></tr>
<tr><td>i</td><td>i</td><td>ignore character: nothing is printed</td></tr>
<tr><td>r</td><td>r</td><td>return: a new line</td></tr>
<tr><td>c</td><td>c</td><td>cent sign</td></tr>
<tr><td>t</td><td>t</td><td>tab to the next multiple of eight columns</td></tr>
<tr><td>s</td><td>s</td><td>printer stop (sigma)</td></tr>
<tr><td>b</td><td>b</td><td>printer breakpoint (beta)</td></tr>
<tr><td>n</td><td>n</td><td>illegal character (11111)</td></tr>
</table>
<p>The tool-tip of each button says the same.</p>

<h2>Entering it</h2>
<ul>
<li>Press <b>Enter</b> or click in the field: the twelve characters are stored at the
instruction's address and the program goes on.</li>
<li><b>Continue in single-step</b> (only while the machine is running) stores the word as
well, and then leaves the machine stopped after the input instruction, so that you can go on
with Single Step or Single Instruction.</li>
<li>If you close the window with its close button instead, the word entered last time is
stored again (twelve zeros if none has been entered yet).</li>
</ul>
)html");
}

HelpPage LabelsPage() {
  return Page("labels", "Labels on mounted tapes", R"html(
<p>The console's <b>Read Names</b> button opens this window. It lists every servo of the
model, in order: ten lines on the ORMLAX I (<code>-</code> and <code>1</code> to
<code>9</code>), sixteen on the ORMLAX II (also <code>A</code> to <code>F</code>).</p>
<p>Each line shows the servo's identifier, two spaces, and the full path of the file mounted on
it, or <code>(No tape mounted)</code>. A tape that a program has unloaded (rewind with
interlock, or a read past the end of its data) is listed as not mounted too: the servo is not
ready until you mount a tape on it again in the
<a href="help:servo-1">servo window</a>.</p>
<p>The listing only reads the servo table: it changes nothing and reads nothing from the tapes.
Click any line, or <b>Done</b>, to close the window.</p>
)html");
}

HelpPage FusePage(int reason) {
  if (reason == 1) {
    return Page("fuse-memory", "A fuse has blown", R"html(
<p>This window, captioned "A fuse has blown!!!", says: <i>The entire memory has been filled with
"Z4Z4Z4Z4Z4Z4"</i>.</p>
<p>The real ORMLAX I could not stand having most of its memory filled with the word
<code>Z4Z4Z4Z4Z4Z4</code>. After every <code>Z</code> instruction (store rY) the simulator
counts the locations that hold exactly that word; when there are 700 or more on an ORMLAX I,
the fuse blows.</p>
<p>When you press <b>OK</b>, the machine is stopped and cleared as by the console's
<b>Clear Memory</b> button: every memory location and every register is cleared and rCC is set
to 0. Load your program again before you go on.</p>
<p>Words stored by other means (Store, tape reads) do not blow the fuse until the next
<code>Z</code> instruction. The ORMLAX II never blows this fuse.</p>
)html");
  }
  return Page("fuse-adder", "Hardware error", R"html(
<p>This window, captioned "Hardware error!!!", says: <i>There has been an adder subtrahend
odd-even error</i>.</p>
<p>The division instruction <code>D</code> detects a condition that upset the adder of the real
machine: rA holds the character <code>(</code> (the digit worth 12) and the word at the
instruction's address (the dividend) holds <code>'</code> (the digit worth 10) at the position of the first
<code>(</code> in rA.</p>
<p>The <b>Invalid operand</b> lamp lights, rA is cleared, no division takes place, and when you
press <b>OK</b> the machine is stopped. Memory is not touched.</p>
)html");
}

HelpPage CommandLinePage() {
  return Page("command-line", "The command-line program", R"html(
<p><code>ormlax-cli</code> runs the simulator without any window, for scripts and teaching
material. <code>ormlax-cli help</code> lists its commands and <code>ormlax-cli help
COMMAND</code> shows how to use one. Every command takes file names from <code>--dir</code>
(default: the current folder), writes the message boxes to standard error as
<code>message: ...</code> lines (line breaks shown as " / "), and answers them by their default
button.</p>

<h2>ormlax-cli run</h2>
<p>Switches on a fresh installation, runs one program and reports how it stopped.</p>
<pre>ormlax-cli run [--model I|II] [--dir DIR] [--servo S] [--mount S=FILE[:ro]]...
               [--start WORD] [--fifty skip|normal|stop] [--comma-stop] [--debug]
               [--max-words N] [--input FILE] [--paper LINES] [--dump FILE]
               [--break N[:COUNT]]... [--break-store N[:COUNT]]... [--trace FILE]
               [--historical] [--registers] [--save FILE] [--restore FILE] [TAPE]</pre>
<ul>
<li><code>TAPE</code> is mounted on the default servo (<code>--servo</code>, else
<code>-</code>) and loaded as the console does it: the word <code>1 0000300000</code> reads its
first block to location 0 and the program starts there. <code>--start WORD</code> feeds
another word instead; with neither, the run starts at 0. A <code>TAPE</code> that does not
exist is an error.</li>
<li><code>--mount S=FILE</code> mounts more tapes on servos <code>-</code>, <code>1</code> to
<code>9</code> (and <code>A</code> to <code>F</code> on the ORMLAX II); <code>:ro</code>
write-protects one. A file that does not exist is a blank tape; only a regular file in the tape
format can be a tape.</li>
<li><code>--fifty</code> sets the "50 break" switch, <code>--comma-stop</code> the ","
breakpoint switch, <code>--debug</code> the "Special functions" warnings, and
<code>--paper</code> the lines of typewriter paper (without it the paper does not run out).</li>
<li>What the program types on the console typewriter goes to standard output. Keyboard input
instructions read one line each from <code>--input</code> (default: standard input).</li>
<li>The run ends when the machine stops or after <code>--max-words</code> words (default
10,000,000); the line <code>stopped: ...</code> says why. A tape the host could not read or
write is an <code>error: ...</code> line. <code>--dump FILE</code> then writes the memory
dump (never over a mounted tape), <code>--registers</code> prints rA, rX, rL, rF, rCC and the
lit lamps, and <code>--save FILE</code> saves the whole installation into a session file.
<code>--break N</code> and <code>--break-store N</code> stop the run at location N,
<code>--trace FILE</code> writes each word executed into a file, <code>--historical</code> runs
at the real machine's pace. <code>--restore FILE</code> starts from such a session instead of a fresh installation, its
tapes mounted again where they stood.</li>
</ul>
<p>Exit status: 0 on the stop instruction <code>90</code>, 1 on any other stop, 3 at the word
limit, 2 for a usage or file error.</p>

<h2>ormlax-cli assemble</h2>
<pre>ormlax-cli assemble [--model I|II] [--dir DIR] [--overflow] [--loader] [--keep] NAME</pre>
<p>Runs <a href="help:assembler">the assembler</a> on <code>NAME.asm</code> as the Assembler
window does; the three flags are its three check boxes. Exit status: 0 without errors, 1 after
"Errors in assembly" (the listing is written), 2 when the run is refused or a file cannot be
read or written.</p>

<h2>The off-line commands</h2>
<pre>ormlax-cli tape-to-text [--dir DIR] [--overwrite] SRC DST
ormlax-cli text-to-tape [--dir DIR] [--overwrite] SRC DST
ormlax-cli tape-to-asm  [--dir DIR] [--overwrite] SRC DST
ormlax-cli print      [--dir DIR] [--overwrite] [--board N] [--breakpoints] [--pdf FILE]
                      [--printer] SRC [DST]
ormlax-cli print-cd   [--dir DIR] [--overwrite] [--board N] [--pdf FILE] [--printer] SRC [DST]
ormlax-cli print-dtmb [--dir DIR] [--overwrite] [--job NAME] [--pdf FILE] [--printer] SRC [DST]</pre>
<p>They work <a href="help:offline">the off-line equipment</a> as its window does, with the same
checks and messages. Each first writes the standard plugboards <code>0.pgb</code> and
<code>1.pgb</code> into the folder where they are missing, and keeps an existing
<code>DST</code> unless <code>--overwrite</code> answers Yes to <i>That tape is in use;
overwrite?</i>. <code>print</code> prints through board <code>N.pgb</code> (default 1);
<code>--breakpoints</code> pauses at each breakpoint character and goes on at once. Without
<code>DST</code> the printer commands print on the default printer with <code>--printer</code>,
into a PDF file with <code>--pdf FILE</code>, and otherwise answer Cancel. Exit status: 0 when
done, 1 when one of the system's messages stopped it, 2 for a usage or host file error.</p>
)html");
}

}  // namespace help_text
}  // namespace ormlax::app
