// The block editor with long bodies, offscreen, with the real main window, its code editors
// and its idle scheduler: a key press from the event to the end of its handling (painting
// included; median and 99th percentile over 1,000 keys typed at the end and in the middle),
// one re-colouring (with the moment the lines on screen are done), one check, one preview
// refresh and showing a block. Bodies of 5,000 lines (about 200 KB) and of 50,000 lines.

#include "bench_support.h"

#include "model/element.h"
#include "model/project.h"
#include "ui/block_tree_view.h"
#include "ui/code_editor.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QTest>
#include <QTextBlock>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <string>
#include <vector>

namespace redewerk {
namespace {

struct TManualClock : TClock {
    uint32_t Now = 1000;
    uint32_t Milliseconds() override { return Now; }
};

// A dialog body as modders write them: spoken lines, conditions, calls, choices.
TLines DialogBody(int lines) {
    static const char* const kPattern[] = {
        ">>Sag mal, Wirt, was gibt es Neues in der Stadt?",
        "<<Die Miliz sucht einen Dieb, der im Hafen gesehen wurde.",
        "if (Npc_HasItems (hero, ItMi_Gold) >= 100)",
        "{",
        "\tB_GiveInvItems (hero, self, ItMi_Gold, 100);",
        "\tWirt_Gold = Wirt_Gold + 100; // f\xFCr das Bier",
        "\t>>Hier, f\xFCr deine M\xFChe.",
        "};",
        "Info_ClearChoices (DIA_Wirt_Hallo);",
        "++Info_Wirt_Bier",
    };
    TLines body;
    body.reserve(static_cast<size_t>(lines));
    for (int i = 0; i < lines; ++i)
        body.emplace_back(kPattern[i % std::size(kPattern)]);
    return body;
}

// The window over a project with one long Dialog and one short one, shown offscreen.
struct TEditorFixture {
    TProject Project;
    bench::TMemoryFiles Files;
    bench::TQuietPrompter Prompter;
    TFMain Window{Project, Files, Prompter};
    TManualClock Clock;
    TNode* Long = nullptr;
    TNode* Short = nullptr;

    explicit TEditorFixture(int lines) {
        TNode* folder = Project.Tree.AppendChild(nullptr, "Wirt");
        Long = Project.Tree.AppendChild(folder, "Hallo");
        Project.CreateElement(Long, ekDialog);
        Long->Element()->Npc = "Wirt";
        Long->Element()->Body = DialogBody(lines);
        Short = Project.Tree.AppendChild(folder, "Tschuess");
        Project.CreateElement(Short, ekDialog);
        Short->Element()->Npc = "Wirt";
        Project.Npcs.Add("Wirt", "VLK_400_Wirt");
        Window.Start({}, QStringLiteral("Schaltpult.ini"));
        Window.showNormal();
        Window.resize(1100, 760);
        Window.SetClock(Clock);
        (void)QTest::qWaitForWindowExposed(&Window);
        Show(Long);
    }

    void Show(TNode* node) {
        Window.TreeView()->setFocus();
        Window.SelectNode(node);
        Settle();
    }
    // The idle passes of a user who has stopped typing.
    void Settle() {
        for (int pass = 0; pass < 10 && Window.IdleScheduler().Pending(); ++pass) {
            Clock.Now += 400;
            Window.RunIdlePass();
        }
        QCoreApplication::processEvents();
    }
    TCodeEditor* Body() const { return Window.BodyEditor(); }
};

double Milliseconds(const QElapsedTimer& timer) {
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

// The processor time of this thread: on a busy machine the wall clock also counts the time
// other programs had the processor.
double ThreadMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

void ReportPercentiles(benchmark::State& state, const char* name, std::vector<double> times) {
    std::sort(times.begin(), times.end());
    const std::string prefix(name);
    state.counters[prefix + "_median_ms"] = times[times.size() / 2];
    state.counters[prefix + "_p99_ms"] = times[times.size() * 99 / 100];
}

// What the key press benchmark types, over and over: lines as a modder writes them.
const QString kTyped = QStringLiteral(">>Ich haette gern ein Bier.\n<<Macht zwei Gold.\n"
                                      "B_GiveInvItems (hero, self, ItMi_Gold, 2);\n");

// Args: lines, 0 typing at the end / 1 in the middle.
void BM_KeyPress(benchmark::State& state) {
    TEditorFixture fixture(static_cast<int>(state.range(0)));
    TCodeEditor* body = fixture.Body();
    body->setFocus();
    QTextCursor cursor = body->textCursor();
    if (state.range(1))
        cursor.setPosition(body->document()->findBlockByNumber(body->blockCount() / 2).position());
    else
        cursor.movePosition(QTextCursor::End);
    body->setTextCursor(cursor);
    body->ensureCursorVisible();
    QCoreApplication::processEvents();
    std::vector<double> wall, processor;
    for (auto _ : state) {
        for (int key = 0; key < 1000; ++key) {
            QElapsedTimer timer;
            timer.start();
            const double start = ThreadMilliseconds();
            const QChar c = kTyped[key % kTyped.size()];
            if (c == u'\n')
                QTest::keyClick(body, Qt::Key_Return);
            else
                QTest::keyClicks(body, QString(c));
            QCoreApplication::processEvents();
            processor.push_back(ThreadMilliseconds() - start);
            wall.push_back(Milliseconds(timer));
        }
    }
    ReportPercentiles(state, "wall", std::move(wall));
    ReportPercentiles(state, "cpu", std::move(processor));
}
BENCHMARK(BM_KeyPress)
    ->ArgNames({"lines", "middle"})
    ->Args({5000, 0})
    ->Args({5000, 1})
    ->Args({50000, 0})
    ->Args({50000, 1})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// One idle pass that re-colours the body: after one typed key (most lines keep their
// colours) or with every line to colour anew (another colour table). "screen_median_ms" is
// when the lines on screen were coloured and painted (the body is coloured after the short
// condition, in the same pass).
void BM_Colouring(benchmark::State& state) {
    TEditorFixture fixture(static_cast<int>(state.range(0)));
    const bool everyLine = state.range(1) != 0;
    TCodeEditor* body = fixture.Body();
    body->setFocus();
    QElapsedTimer timer;
    double screen = 0;
    std::vector<double> screens;
    QObject::connect(body, &TCodeEditor::ScreenColoured, [&] { screen = Milliseconds(timer); });
    TColourTable& colours = fixture.Window.Colours();
    for (auto _ : state) {
        state.PauseTiming();
        if (everyLine) {
            std::swap(colours[clTypes], colours[clDelimiter]);
            fixture.Window.ApplyColours();
            fixture.Window.IdleScheduler().ColourBoth();
        } else {
            QTest::keyClick(body, Qt::Key_A);
            fixture.Clock.Now += 100;
            fixture.Window.RunIdlePass(); // starts the pause after the edit
        }
        fixture.Clock.Now += 100;
        screen = 0;
        state.ResumeTiming();
        timer.start();
        fixture.Window.RunIdlePass();
        state.PauseTiming();
        screens.push_back(screen);
        fixture.Settle(); // the check, outside the measurement
        state.ResumeTiming();
    }
    std::sort(screens.begin(), screens.end());
    state.counters["screen_median_ms"] = screens[screens.size() / 2];
}
BENCHMARK(BM_Colouring)
    ->ArgNames({"lines", "every_line"})
    ->Args({5000, 0})
    ->Args({5000, 1})
    ->Args({50000, 0})
    ->Args({50000, 1})
    ->Unit(benchmark::kMillisecond);

// One idle pass that checks the body (and the short condition) as a statement list.
void BM_Check(benchmark::State& state) {
    TEditorFixture fixture(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        fixture.Window.IdleScheduler().RequestCheck();
        fixture.Clock.Now += 400;
        fixture.Window.RunIdlePass();
    }
    if (fixture.Window.BodyErrorPos() != -1) state.SkipWithError("the body has a syntax error");
}
BENCHMARK(BM_Check)->ArgNames({"lines"})->Arg(5000)->Arg(50000)->Unit(benchmark::kMillisecond);

// The preview of the long block: known targets, compiling, showing the code.
void BM_RefreshPreview(benchmark::State& state) {
    TEditorFixture fixture(static_cast<int>(state.range(0)));
    fixture.Window.findChild<QCheckBox*>(QStringLiteral("InstantCompile"))->setChecked(true);
    fixture.Settle();
    for (auto _ : state)
        fixture.Window.RefreshPreview();
}
BENCHMARK(BM_RefreshPreview)
    ->ArgNames({"lines"})
    ->Arg(5000)
    ->Arg(50000)
    ->Unit(benchmark::kMillisecond);

// Selecting the long block coming from a short one, preview off and on.
void BM_ShowBlock(benchmark::State& state) {
    TEditorFixture fixture(static_cast<int>(state.range(0)));
    fixture.Window.findChild<QCheckBox*>(QStringLiteral("InstantCompile"))
        ->setChecked(state.range(1) != 0);
    for (auto _ : state) {
        state.PauseTiming();
        fixture.Show(fixture.Short);
        state.ResumeTiming();
        fixture.Window.SelectNode(fixture.Long);
    }
}
BENCHMARK(BM_ShowBlock)
    ->ArgNames({"lines", "preview"})
    ->Args({5000, 0})
    ->Args({5000, 1})
    ->Args({50000, 0})
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace redewerk

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
