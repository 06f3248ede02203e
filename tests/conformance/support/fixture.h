// The base of conformance cases: every case starts with no windows, no
// handlers and an empty queue, and every table row is a case of its own.
#pragma once

#include <string>

#include <gtest/gtest.h>

#include "tests/conformance/support/message_log.h"

namespace conf {

class Case : public testing::Test {
 protected:
  Case() { ResetCase(); }
  ~Case() override { ResetCase(); }
};

template <class Row>
class TableCase : public Case, public testing::WithParamInterface<Row> {};

// Names a row's case after its `name`.
struct RowName {
  template <class Row>
  std::string operator()(const testing::TestParamInfo<Row>& info) const {
    return info.param.name;
  }
};

}  // namespace conf
