// Throughput of the Daedalus tools on a generated dialog script of about 5 MB: the lexer
// (every token), the checker (declaration mode) and the highlighter (document and runs),
// with a plain byte loop over the same text as the machine's reference.

#include "daedalus/highlighter.h"
#include "daedalus/syntax_checker.h"

#include <benchmark/benchmark.h>

#include <string>

namespace redewerk {
namespace {

// One dialog with its condition and information functions, two choices and their functions,
// comments (with umlauts) and a few declarations, as modders write them.
void AppendDialog(std::string& text, int n) {
    const std::string id = std::to_string(n);
    const std::string name = "DIA_Wache" + id + "_Hallo";
    text += "// ************************************************************\r\n"
            "// \t\tDialog " +
            id +
            ": Begr\xFC\xDF"
            "ung an der Br\xFC"
            "cke\r\n"
            "// ************************************************************\r\n\r\n"
            "var int Wache" +
            id +
            "_Gold;\r\n"
            "const string Wache" +
            id +
            "_Parole = \"Gr\xF6\xDF"
            "enwahn " +
            id +
            "\";\r\n\r\n"
            "instance " +
            name +
            " (C_INFO)\r\n{\r\n"
            "\tnpc\t\t\t= GRD_" +
            id +
            "_Wache;\r\n"
            "\tnr\t\t\t= " +
            std::to_string(n % 50 + 1) +
            ";\r\n"
            "\tcondition\t= " +
            name +
            "_Condition;\r\n"
            "\tinformation\t= " +
            name +
            "_Info;\r\n"
            "\tpermanent\t= FALSE;\r\n"
            "\tdescription\t= \"Was bewachst du hier?\";\r\n};\r\n\r\n"
            "func int " +
            name +
            "_Condition ()\r\n{\r\n"
            "\tif (Npc_KnowsInfo (hero, DIA_Wache" +
            std::to_string(n > 0 ? n - 1 : 0) + "_Hallo)) && (Wache" + id +
            "_Gold < 100)\r\n\t{\r\n\t\treturn TRUE;\r\n\t};\r\n"
            "\treturn FALSE;\r\n};\r\n\r\n"
            "func void " +
            name +
            "_Info ()\r\n{\r\n"
            "\tAI_Output (other, self, \"" +
            name +
            "_15_00\"); //Was bewachst du hier?\r\n"
            "\tAI_Output (self, other, \"" +
            name +
            "_12_01\"); //Die Br\xFC"
            "cke. Niemand kommt "
            "hier ohne Zoll vorbei.\r\n"
            "\tAI_Output (self, other, \"" +
            name +
            "_12_02\"); //Es sei denn, er kennt die "
            "Parole.\r\n"
            "\t/* Die Auswahl wird jedes Mal neu aufgebaut. */\r\n"
            "\tInfo_ClearChoices (" +
            name +
            ");\r\n"
            "\tInfo_AddChoice (" +
            name + ", \"Hier ist dein Gold.\", " + name +
            "_Zahlen);\r\n"
            "\tInfo_AddChoice (" +
            name + ", \"Ich kenne die Parole.\", " + name +
            "_Parole);\r\n};\r\n\r\n"
            "func void " +
            name +
            "_Zahlen ()\r\n{\r\n"
            "\tAI_Output (other, self, \"" +
            name +
            "_Zahlen_15_00\"); //Hier ist dein Gold.\r\n"
            "\tif (Npc_HasItems (other, ItMiNugget) >= 10)\r\n\t{\r\n"
            "\t\tB_GiveInvItems (other, self, ItMiNugget, 10);\r\n"
            "\t\tWache" +
            id +
            "_Gold += 10;\r\n"
            "\t\tself.aivar[AIV_PASSGATE] = TRUE;\r\n"
            "\t}\r\n\telse\r\n\t{\r\n"
            "\t\tAI_Output (self, other, \"" +
            name +
            "_Zahlen_12_01\"); //Das reicht nicht!\r\n"
            "\t};\r\n"
            "\tInfo_ClearChoices (" +
            name +
            ");\r\n};\r\n\r\n"
            "func void " +
            name +
            "_Parole ()\r\n{\r\n"
            "\tAI_Output (other, self, \"" +
            name + "_Parole_15_00\"); //Die Parole ist \"" +
            "Gr\xF6\xDF"
            "enwahn\".\r\n"
            "\tB_LogEntry (CH1_Bruecke, \"Die Wache an der Br\xFC"
            "cke kennt mich jetzt.\");\r\n"
            "\tInfo_ClearChoices (" +
            name +
            ");\r\n"
            "\tAI_StopProcessInfos (self);\r\n};\r\n\r\n";
}

const std::string& ScriptText() {
    static const std::string text = [] {
        std::string result;
        result.reserve(5'300'000);
        for (int n = 0; result.size() < 5'000'000; ++n)
            AppendDialog(result, n);
        return result;
    }();
    return text;
}

void ByteLoop(benchmark::State& state) {
    const std::string& text = ScriptText();
    for (auto _ : state) {
        unsigned lineFeeds = 0;
        for (char c : text)
            lineFeeds += c == '\n';
        benchmark::DoNotOptimize(lineFeeds);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
}
BENCHMARK(ByteLoop)->Unit(benchmark::kMillisecond);

void Lexer(benchmark::State& state) {
    const std::string& text = ScriptText();
    TParser parser;
    int64_t tokens = 0;
    for (auto _ : state) {
        parser.SetText(text);
        for (parser.NextToken(); !parser.AtEnd; parser.NextToken())
            ++tokens;
    }
    benchmark::DoNotOptimize(tokens);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
    state.counters["tokens"] = static_cast<double>(tokens / state.iterations());
}
BENCHMARK(Lexer)->Unit(benchmark::kMillisecond);

void Checker(benchmark::State& state) {
    const std::string& text = ScriptText();
    TParser parser;
    for (auto _ : state) {
        TCheckResult result = CheckSyntax(parser, text, TCheckMode::Declarations);
        if (!result.Ok) state.SkipWithError(result.Message.c_str());
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
}
BENCHMARK(Checker)->Unit(benchmark::kMillisecond);

TColour ResolveBench(TColour colour) {
    return colour == kClWindow ? MakeColour(255, 255, 255) : MakeColour(0, 0, 0);
}

void Highlighter(benchmark::State& state) {
    const std::string& text = ScriptText();
    const TColourTable colours = DefaultColours();
    const TColourResolver resolve = ResolveBench;
    THighlighter highlighter;
    for (auto _ : state) {
        highlighter.Highlight(text, colours, resolve);
        benchmark::DoNotOptimize(highlighter.Rtf().data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
    state.counters["runs"] = static_cast<double>(highlighter.Runs().size());
}
BENCHMARK(Highlighter)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace redewerk
