#include "text_layout.h"

#include <algorithm>

namespace gdi {

namespace {

// Removes "&" prefixes: "&&" is an ampersand, "&x" an underlined x.
std::string StripPrefixes(std::string_view text, int& underline) {
  std::string out;
  underline = -1;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size()) {
      ++i;
      if (text[i] != '&') underline = static_cast<int>(out.size());
    }
    out += text[i];
  }
  return out;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines(1);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      lines.emplace_back();
    } else {
      lines.back() += text[i];
    }
  }
  return lines;
}

// Breaks a line at blanks so that no piece is wider than `width`; a word
// wider than that stays whole on its own line.
std::vector<std::string> WrapLine(const std::string& line, int width, const Face& face, bool tabs) {
  std::vector<std::string> out;
  std::string current;
  std::size_t i = 0;
  while (i < line.size()) {
    std::size_t end = i;
    while (end < line.size() && line[end] != ' ') ++end;
    std::size_t next = end;
    while (next < line.size() && line[next] == ' ') ++next;
    const std::string word = line.substr(i, end - i);
    const std::string candidate = current + word;
    if (!current.empty() && LineWidth(candidate, face, tabs) > width) {
      while (!current.empty() && current.back() == ' ') current.pop_back();
      out.push_back(current);
      current = word;
    } else {
      current = candidate;
    }
    current += line.substr(end, next - end);
    i = next;
  }
  while (!current.empty() && current.back() == ' ') current.pop_back();
  out.push_back(current);
  return out;
}

}  // namespace

int LineWidth(std::string_view line, const Face& face, bool expand_tabs) {
  const int tab = face.metrics().TabWidth();
  int width = 0;
  for (const char c : line) {
    if (c == '\t' && expand_tabs) {
      width = (width / tab + 1) * tab;
    } else {
      width += face.Advance(c);
    }
  }
  return width;
}

TextLayout LayOutText(std::string_view text, const RECT& rect, UINT format, const Face& face) {
  TextLayout layout;
  layout.bounds = {rect.left, rect.top, rect.left, rect.top};
  if (text.empty()) return layout;
  const bool tabs = (format & DT_EXPANDTABS) != 0;
  const bool single = (format & DT_SINGLELINE) != 0;
  int underline = -1;
  const std::string plain =
      (format & DT_NOPREFIX) != 0 ? std::string(text) : StripPrefixes(text, underline);
  struct Piece {
    std::string text;
    int underline;
  };
  std::vector<Piece> pieces;
  if (single) {
    std::string line;
    int line_underline = underline;
    for (std::size_t i = 0; i < plain.size(); ++i) {
      if (plain[i] == '\r' || plain[i] == '\n') {
        if (underline > static_cast<int>(i)) --line_underline;
        continue;
      }
      line += plain[i];
    }
    pieces.push_back({line, line_underline});
  } else {
    // The accelerator stays with the piece that holds its character.
    int offset = 0;
    const std::vector<std::string> lines = SplitLines(plain);
    for (std::size_t n = 0; n < lines.size(); ++n) {
      const auto wrapped = (format & DT_WORDBREAK) != 0
                               ? WrapLine(lines[n], rect.right - rect.left, face, tabs)
                               : std::vector<std::string>{lines[n]};
      for (const std::string& piece : wrapped) {
        const std::size_t at = plain.find(piece, static_cast<std::size_t>(offset));
        const int start = at == std::string::npos ? offset : static_cast<int>(at);
        const int mark = underline >= start && underline < start + static_cast<int>(piece.size())
                             ? underline - start
                             : -1;
        pieces.push_back({piece, mark});
        offset = start + static_cast<int>(piece.size());
      }
    }
  }

  const int line_height = face.metrics().height;
  const int total = line_height * static_cast<int>(pieces.size());
  int top = rect.top;
  if (single && (format & DT_VCENTER) != 0) {
    top = rect.top + (rect.bottom - rect.top - line_height) / 2;
  } else if (single && (format & DT_BOTTOM) != 0) {
    top = rect.bottom - line_height;
  }
  int widest = 0;
  for (std::size_t n = 0; n < pieces.size(); ++n) {
    TextLine line;
    line.text = pieces[n].text;
    line.underline = pieces[n].underline;
    line.width = LineWidth(line.text, face, tabs);
    line.y = top + line_height * static_cast<int>(n);
    if ((format & DT_CENTER) != 0) {
      line.x = rect.left + (rect.right - rect.left - line.width) / 2;
    } else if ((format & DT_RIGHT) != 0) {
      line.x = rect.right - line.width;
    } else {
      line.x = rect.left;
    }
    widest = std::max(widest, line.width);
    layout.lines.push_back(line);
  }
  layout.bounds = {rect.left, rect.top, rect.left + widest, rect.top + total};
  layout.height =
      single && (format & (DT_VCENTER | DT_BOTTOM)) != 0 ? top - rect.top + total : total;
  return layout;
}

}  // namespace gdi
