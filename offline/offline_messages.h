// The off-line equipment's messages, word for word.
#pragma once

#include <string_view>

namespace ormlax::offline_text {

inline constexpr std::string_view kNoSuchTape = "There is no such tape";
inline constexpr std::string_view kIsMounted = "is mounted on ORMLAX";
inline constexpr std::string_view kOverwriteQuestion = "That tape is in use; overwrite?";
inline constexpr std::string_view kOverwriteNotAllowed = "Overwriting the target tape not allowed";
inline constexpr std::string_view kNeedsOrmlaxInput = "This function requires a ORMLAX input tape.";
inline constexpr std::string_view kDefaultPrinterQuestion =
    "The output will go to the default printer";
inline constexpr std::string_view kNoUsableBoard = "No usable plugboard is loaded";
inline constexpr std::string_view kNoMultilineWired =
    "Multiline character on tape, but no\r\nmultiline wired on plugboard";
inline constexpr std::string_view kNoPunchTail =
    ", but no punch\r\nin carriage tape.  Paper slewed to trash!";
inline constexpr std::string_view kNeedsSourceAndTarget =
    "This function requires a source tape\r\nand will overwrite the target tape";
inline constexpr std::string_view kNeedsOrmlaxSourceAndTarget =
    "This function requires a ORMLAX source tape\r\nand will overwrite the target tape";
inline constexpr std::string_view kNeedsAsmTarget =
    "This function requires a target tape\r\nwhose name ends in \".asm\"";
inline constexpr std::string_view kAddingAsm = "Adding \".asm\" to the target tape name";
inline constexpr std::string_view kSplitBoardOnly =
    "Computer digit printouts always use\r\nthe \"1-to-1 split\" plugboard and\r\nits associated "
    "carriage tape";
inline constexpr std::string_view kJobNamePrompt = "Job Name";
inline constexpr std::string_view kSameFile =
    "The target is the source file itself:\r\nit would be emptied before it is read";
inline constexpr std::string_view kTextTooLong =
    "The text is longer than one tape holds\r\n(1950 blocks of 720 characters)";
inline constexpr std::string_view kNoPrinter = "There is no printer to print on here";
inline constexpr std::string_view kReplaceAsmQuestionTail = "already exists. Replace it?";

}  // namespace ormlax::offline_text
