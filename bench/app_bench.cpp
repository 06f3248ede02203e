// The main form on the headless host: a keystroke in Edit1 to the file and
// preview written, and a drag of TrackBar3 across its whole range.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <optional>

#include "app/tavrion/main_form.h"
#include "bench/bench_support.h"
#include "platform/commctrl.h"
#include "platform/headless.h"
#include "tests/app/tavrion/program.h"

namespace {

// The program's start, in the benchmark folder.
class Started {
 public:
  Started() {
    std::filesystem::current_path(std::filesystem::path(BenchFile("")));
    host::Headless().Reset();
    trains.emplace();
    StartProgram();
  }
  ~Started() { StopProgram(); }
  std::optional<TrainCounter> trains;
};

// Each keystroke changes Edit1 between "300" and "30" and so writes a train.
void BM_Edit1Keystroke(benchmark::State& state) {
  Started program;
  Form1->Edit1->SetFocus();
  SendMessageA(Form1->Edit1->Handle(), EM_SETSEL, 3, 3);
  bool shorter = true;
  for (auto _ : state) {
    if (shorter) {
      host::Headless().KeyDown(VK_BACK);
      host::Headless().KeyUp(VK_BACK);
    } else {
      host::Headless().Type("0");
    }
    shorter = !shorter;
    PumpMessages();
  }
  state.counters["trains"] = program.trains->Count();
}
BENCHMARK(BM_Edit1Keystroke)->Unit(benchmark::kMicrosecond);

// The thumb pressed at position 1 and dragged pixel by pixel to the end,
// with pulses of 100 us, which every frequency up to 1000 pulses/s accepts.
void BM_TrackBar3Drag(benchmark::State& state) {
  Started program;
  Form1->Edit2->SetText("100");
  TTrackBar* bar = Form1->TrackBar3;
  for (auto _ : state) {
    bar->SetPosition(1);
    PumpMessages();
    POINT at = ThumbCentre(bar->Handle());
    ClientToScreen(bar->Handle(), &at);
    host::Headless().MoveMouse(at.x, at.y);
    host::Headless().Press();
    PumpMessages();
    for (int x = at.x; bar->Position() < 1000 && x < at.x + bar->Width(); ++x) {
      host::Headless().MoveMouse(x, at.y);
      PumpMessages();
    }
    host::Headless().Release();
    PumpMessages();
    if (bar->Position() != 1000) state.SkipWithError("the drag did not reach 1000");
  }
  state.counters["trains"] = program.trains->Count();
}
BENCHMARK(BM_TrackBar3Drag)->Unit(benchmark::kMillisecond);

}  // namespace
