// The progress bar's answers: previous values, clamping and stepping.
#include <platform/commctrl.h>

#include "tests/conformance/support/answers.h"

namespace {

using conf::Answer;
using conf::Call;

constexpr Call GetPos{PBM_GETPOS};
constexpr Call SetPos(int pos) {
  return {PBM_SETPOS, static_cast<WPARAM>(pos)};
}
constexpr Call SetRange32(int min, int max) {
  return {PBM_SETRANGE32, static_cast<WPARAM>(min), max};
}
constexpr Call SetStep(int step) {
  return {PBM_SETSTEP, static_cast<WPARAM>(step)};
}

const Answer kAnswers[] = {
    {"PosStartsAtZero", 0, {}, GetPos, 0},
    {"SetPosAnswersThePrevious", 0, {SetPos(30)}, SetPos(50), 30},
    {"SetPosAboveTheMaximumStopsThere", 0, {SetPos(150)}, GetPos, 100},
    {"SetPosBelowTheMinimumStopsThere", 0, {SetRange32(10, 20), SetPos(5)}, GetPos, 10},
    {"NewRangeTakesThePosIn", 0, {SetPos(50), SetRange32(0, 20)}, GetPos, 20},
    {"DeltaPosAnswersThePrevious", 0, {SetPos(10)}, {PBM_DELTAPOS, 15}, 10},
    {"DeltaPosMoves", 0, {SetPos(10), {PBM_DELTAPOS, 15}}, GetPos, 25},
    {"DeltaPosStopsAtTheMaximum", 0, {SetPos(90), {PBM_DELTAPOS, 30}}, GetPos, 100},
    {"NegativeDeltaStopsAtTheMinimum",
     0,
     {SetPos(10), {PBM_DELTAPOS, static_cast<WPARAM>(-30)}},
     GetPos,
     0},
    {"SetRangeAnswersThePreviousRange",
     0,
     {},
     {PBM_SETRANGE, 0, MAKELPARAM(5, 50)},
     MAKELPARAM(0, 100)},
    {"SetRange32AnswersThePreviousRange",
     0,
     {SetRange32(3, 1000)},
     SetRange32(0, 50),
     MAKELPARAM(3, 1000)},
    {"GetRangeLow", 0, {SetRange32(-5, 70000)}, {PBM_GETRANGE, TRUE}, -5},
    {"GetRangeHigh", 0, {SetRange32(-5, 70000)}, {PBM_GETRANGE, FALSE}, 70000},
    {"SetStepAnswersTheDefaultTen", 0, {}, SetStep(5), 10},
    {"StepItAnswersThePrevious", 0, {SetPos(20)}, {PBM_STEPIT}, 20},
    {"StepItMovesByTheStep", 0, {SetPos(20), SetStep(7), {PBM_STEPIT}}, GetPos, 27},
    {"StepItPastTheMaximumStartsOver", 0, {SetPos(95), {PBM_STEPIT}}, GetPos, 5},
    {"StepItBelowTheMinimumStartsOverFromTheTop",
     0,
     {SetStep(-10), SetPos(5), {PBM_STEPIT}},
     GetPos,
     95},
    {"SetBarColorAnswersTheDefault", 0, {}, {PBM_SETBARCOLOR, 0, RGB(1, 2, 3)}, CLR_DEFAULT},
    {"SetBkColorAnswersThePrevious",
     0,
     {{PBM_SETBKCOLOR, 0, RGB(9, 9, 9)}},
     {PBM_SETBKCOLOR, 0, RGB(1, 2, 3)},
     RGB(9, 9, 9)},
};

ANSWER_CASES(Progress, ProgressAnswer, PROGRESS_CLASSA, kAnswers);

}  // namespace
