// The debugging desk's pages: the Debugging window, the memory window, historical speed, and a
// debugging session step by step.
#include "app/help_pages.h"

namespace ormlax::app::help_text {

HelpPage DebuggingPage() {
  return Page("debugging", "The debugging desk", R"html(
<p>The <b>Debugging</b> window is a desk beside the console: breakpoints that stop a run at an
address, a trace of every word into a file, saving and restoring the whole installation, and
the <a href="help:memory">memory window</a>. Check <b>Special functions</b> on the console to
show the <b>Debugging</b> button (under <b>Memory dump</b>). The window stays open while the
machine runs. With no breakpoint set and no trace going, the machine runs exactly as without
the desk.</p>

<h2>Breakpoints</h2>
<ul>
<li>An <b>Execute</b> breakpoint stops a run <i>before</i> the word at its location runs: rCC
shows the location, and <b>Run</b> or <b>Single Step</b> goes on from there.</li>
<li>A <b>Store</b> breakpoint stops a run <i>after</i> the word in which an instruction wrote
its location (a store, a block store, or a tape block read into it).</li>
<li>The <b>Count</b> says which hits stop: with count 3 the run stops on the third hit, the
sixth, and so on. The <b>Hits</b> column counts them.</li>
<li>Untick <b>On</b> to keep a breakpoint without it stopping anything; ticking it again starts
its hits from 0, and so does <b>Change</b>.</li>
<li>A run stopped by a breakpoint lights no lamp; a message names the breakpoint, for example
<i>Stopped by execute breakpoint 1 at 042, hit 1</i>.</li>
</ul>
<p>Type the location (and a count, 1 unless you want another), choose the kind and press
<b>Add</b> (or Enter in the location box). Select a breakpoint in the list to put its kind,
location and count in the boxes; change them and press <b>Change</b>. <b>Remove</b> takes the
selected breakpoint away, <b>Clear all</b> every one.</p>

<h2>Trace</h2>
<p>Name a file of the working folder and tick <b>Trace every word</b>: after each word the
machine executes, a line gives its location, the word, and rA, rX, rL and rF:</p>
<pre>ORMLAX I trace: after each word its location, the word, rA, rX, rL and rF; at most 100000 words
000  B00050A00051  rA 000000000001  rX 000000000001  rL 000000000000  rF 000000000000</pre>
<p>A word fed to rCR with SCICR shows <code>rCR</code> for its location. The trace holds at most
100,000 words (about nine megabytes): it then ends with the line <i>trace ended: the bound of
100000 words is reached</i>, and the window says so. Untick the box to close the file. The trace
takes the file's name when it is closed (or reaches its bound): until then an earlier trace of
that name stays whole, and a trace the disk had no room for never replaces it.</p>

<h2>Session</h2>
<p><b>Save</b> writes the whole installation into the file named: memory, the registers and
whether they are in use, the lamps, the options and switches, rCC, rSR and a half-done step, the
tape units with their files, positions and ends of data, the typewriter and its paper, and the
paper supply. <b>Restore</b> makes the installation what the file holds, mounting the tapes again
where they stood; a program stopped or held can then go on as if it had never been interrupted.
Neither can be done while the machine runs; historical speed is not part of a session, and a
restore leaves it as the console has it. Restore refuses a file of the other model, a file
that is not a session file, and a session whose tape files are gone or have changed size since;
the installation is then left as it was. The file is text, one value to a line, readable by a
person (docs/session-file.md describes it).</p>

<h2>Historical speed</h2>
<p>The option <b>Historical speed</b> on the console runs the installation at the pace of the
machine it simulates: about 2,000 simple words a second (a word with a multiplication takes
3 ms, one with a division 5 ms), the typewriter at 10 characters a second with the paper filling
character by character, and a tape block in 80 ms. What happens, and in what order, is the same
as at full speed; the console stays live, and <b>Stop</b> works at once.</p>

<h2>A debugging session step by step</h2>
<ol>
<li>On the ORMLAX I console, store this program from location 000 (type each word in
<b>Contents</b> and press Enter):<br>
<code>B00050A00051</code> (bring (050) and add (051)),
<code>H00050U00000</code> (store the sum in 050, go back to 000), and at location 051 the word
<code>000000000001</code>. Press <b>Clear CC</b>.</li>
<li>Check <b>Special functions</b> and press <b>Debugging</b>.</li>
<li>Choose <b>Store</b>, type <code>050</code> as the location and <code>5</code> as the count,
press <b>Add</b>.</li>
<li>Press <b>Memory window</b>, type <code>050</code> in its watch box and press Enter.</li>
<li>Press <b>Run</b> on the console. The run stops after the word that stored 5 in location
050 for the fifth time: the message says <i>Stopped by store breakpoint 1 at 050, hit 5</i>,
the watch shows <code>050  000000000005 *</code> and rCC shows 000, where the word
stored last sends the program back.</li>
<li>Type <code>mine.txt</code> as the session file and press <b>Save</b>. Press <b>Run</b>
again: the run stops at 10. Press <b>Restore</b>: memory shows 5 again, and a run goes on
from there as it did the first time.</li>
<li>Tick <b>Trace every word</b>, press <b>Single Step</b> a few times, untick it, and read
<code>trace.txt</code> in the working folder: one line a word.</li>
</ol>

<h2>On the command line</h2>
<p><code>ormlax-cli run</code> has the desk's tools as options: <code>--break N[:COUNT]</code>
and <code>--break-store N[:COUNT]</code> (repeatable), <code>--trace FILE</code>,
<code>--save FILE</code> (written at the end of the run), <code>--restore FILE</code> (read
before the run instead of starting afresh), <code>--registers</code> (rA, rX, rL, rF, rCC and
the lit lamps after the <code>stopped:</code> line) and <code>--historical</code>. See
<a href="help:command-line">the command-line program</a>.</p>
)html");
}

HelpPage MemoryPage() {
  return Page("memory", "The memory window", R"html(
<p>The memory window, opened by <b>Memory window</b> in the
<a href="help:debugging">Debugging window</a>, shows 32 locations at a time: each location, its
word, and the word's two instructions with the name of each operation. Rest the mouse on an
instruction for what it does, from the table of <a href="help:instructions">the instruction
set</a>. An instruction the machine does not know shows <i>(invalid)</i>: executed, it would
stop the machine with <b>Invalid opcode</b>.</p>
<ul>
<li><b>From location</b>: type a location and press Enter or <b>Show</b>. <b>Previous</b> and
<b>Next</b> move by 32 locations.</li>
<li>Click a row to put its word in the box below the table. Type over it as in the console's
<b>Contents</b> field (new characters enter at the right; letters become capitals) and press
Enter or <b>Store</b>. Words can be stored whenever the console's <b>Store</b> could store
them: not while a program runs.</li>
<li><b>Watched locations</b>: type a location and press Enter or <b>Watch</b>. The list shows
each watched word; a <code>*</code> marks a word that the last run or step changed.
<b>Remove</b> stops watching the selected location.</li>
</ul>
<p>The window follows the machine: at every stop, and while a program runs, as often as the
console's registers are shown.</p>
)html");
}

}  // namespace ormlax::app::help_text
