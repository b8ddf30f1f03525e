#pragma once

#include "model/colours.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace redewerk {

// Turns a system colour into its current RGB value. The editor asks the toolkit; the command
// line uses white for the window background and black for the window text.
using TColourResolver = std::function<TColour(TColour)>;

// One run of equally coloured text: 0-based byte offset and length in the text, and the
// colour class. The runs cover the text without gaps, in order.
struct THighlightRun {
    int32_t Start = 0;
    int32_t Length = 0;
    int32_t Class = 0;

    bool operator==(const THighlightRun&) const = default;
};

// The syntax highlighter of the condition and body editors. It scans the plain text with a
// scanner of its own (simpler than TParser and independent of it) and writes one RTF
// document in which every run of equally coloured text is preceded by a colour switch, plus
// the list of those runs, from which an editor that cannot read RTF applies the same colours
// as character formats. Both are rebuilt from scratch by every call, in one linear pass,
// into buffers that are kept from call to call.
class THighlighter {
public:
    // Colours `text`; the colour of class c is colours[c], system colours resolved first.
    void Highlight(std::string_view text, const TColourTable& colours,
                   const TColourResolver& resolve);

    // The document of the last Highlight: "{\rtf1 ", the colour table, "\ulnone \b0 \i0 ",
    // each run as "\cf" + (class + 1) + " " + its escaped text, then "\par" CR LF "}".
    std::string_view Rtf() const { return std::string_view(RtfBuffer.data(), RtfUsed); }
    // The runs of the last Highlight (runs that hold no text are left out).
    const std::vector<THighlightRun>& Runs() const { return RunList; }

    // The colour class of an identifier: the keyword classes 3 to 6, else 1 (clDef).
    // Letter case does not matter.
    static int KeywordClass(std::string_view word);

    // The first index at which two texts differ (one past the shorter one when it is a
    // prefix of the other), or -1 when they are equal. The editor repaints from there.
    static int32_t FirstDifference(std::string_view a, std::string_view b);

private:
    static constexpr int kNone = -1;

    void SetRunClass(int runClass);
    void WriteRun(int runClass, size_t from, size_t to);
    void Reserve(size_t extra);
    void Append(std::string_view bytes);
    void AppendNumber(int value);

    std::string Source;      // the text followed by the sentinel
    size_t SourceLength = 0; // length of the text without the sentinel
    size_t TokenStart = 0;
    size_t ScanPos = 0;
    size_t RunStart = 0;
    int RunClass = kNone;
    std::string RtfBuffer; // sized ahead; only the first RtfUsed bytes are the document
    size_t RtfUsed = 0;
    std::vector<THighlightRun> RunList;
};

} // namespace redewerk
