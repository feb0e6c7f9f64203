// "HSP (DTMB)": a page per tape block, its 60 words in two columns, each word in its two halves
// with the marks of its special characters under it, below a header with the job name, the page
// number and the date.
#pragma once

#include <string>

#include "core/word.h"
#include "offline/offline_desk.h"
#include "offline/run_support.h"

namespace ormlax {

// The header of every page, asked for a job name ("Job Name"); "$" stands for the page number.
// `date` is mm-dd-yyyy.
std::string DtmbHeader(Operator& op, const std::string& date);

// Appends the word to the word line and its marks to the mark line.
void FormatDtmbWord(const Word& word, std::string& line1, std::string& line2);

// Page n: the next block of the source under the header. Empty once the tape is exhausted. A
// record cut short gives words filled out with spaces.
std::string BuildDtmbPage(int pageNumber, const std::string& header, offline::SourceTape& source);

OffLineOutcome PrintDtmb(OffLineDesk& desk);

}  // namespace ormlax
