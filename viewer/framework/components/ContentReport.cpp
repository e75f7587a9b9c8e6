#include "ContentReport.h"

#include <cstdio>

std::string TContentReport::JsonString(const std::string& utf8) {
  std::string out;
  out.reserve(utf8.size() + 2);
  out += '"';
  for (unsigned char c : utf8) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", c);
          out += buf;
        } else {
          out += char(c);
        }
    }
  }
  out += '"';
  return out;
}

std::string TContentReport::JsonStringArray(const std::vector<std::string>& utf8) {
  std::string out = "[";
  for (size_t i = 0; i < utf8.size(); ++i) {
    if (i) out += ", ";
    out += JsonString(utf8[i]);
  }
  out += "]";
  return out;
}

void TContentReport::AddStringRows(const std::string& key, const std::vector<std::vector<std::string>>& rows) {
  std::string out = "[";
  for (size_t i = 0; i < rows.size(); ++i) {
    if (i) out += ", ";
    out += JsonStringArray(rows[i]);
  }
  out += "]";
  Add(key, std::move(out));
}
