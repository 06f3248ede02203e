// An expected table beside what happened, for failure messages.
#pragma once

#include <algorithm>
#include <cstddef>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

struct SideBySideRow {
  std::string want, got;
  bool ok;  // false marks the row where they part
};

inline std::string SideBySide(const std::vector<SideBySideRow>& rows) {
  std::ostringstream out;
  out << "\n" << std::string(40, ' ') << "expected | actual\n";
  for (const SideBySideRow& row : rows) {
    out << (row.ok ? "  " : "> ")
        << std::string(38 - std::min<std::size_t>(38, row.want.size()), ' ') << row.want << " | "
        << row.got << "\n";
  }
  return out.str();
}

// Walks the table's lines and the actual entries together: each line beside
// the entry it matched, beside none when an optional line was missing; after
// the first mismatch, the rest side by side. `parsed[i]` is line i read;
// `matches(parsed, entry)`, `parsed.optional`, and `describe(entry, parsed)`
// (with a default-made Parsed for entries past the table) come from the caller.
template <class Parsed, class Entry, class Matches, class Describe>
testing::AssertionResult CompareTable(const std::vector<std::string>& lines,
                                      const std::vector<Parsed>& parsed,
                                      const std::vector<Entry>& actual, Matches matches,
                                      Describe describe) {
  std::vector<SideBySideRow> rows;
  std::size_t a = 0;
  bool same = true;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const Parsed& e = parsed[i];
    if (!same) {
      rows.push_back({lines[i], a < actual.size() ? describe(actual[a++], e) : "", true});
    } else if (a < actual.size() && matches(e, actual[a])) {
      rows.push_back({lines[i], describe(actual[a++], e), true});
    } else if (e.optional) {
      rows.push_back({lines[i], "", true});
    } else {
      same = false;
      rows.push_back({lines[i], a < actual.size() ? describe(actual[a++], e) : "", false});
    }
  }
  if (same && a == actual.size()) return testing::AssertionSuccess();
  for (bool first = same; a < actual.size(); ++a, first = false) {
    rows.push_back({"", describe(actual[a], Parsed{}), !first});
  }
  return testing::AssertionFailure() << SideBySide(rows);
}
