#include "json_subset.h"

#include <sstream>
#include <stdexcept>

namespace glamora::test {

namespace {

struct Reader {
  const std::string& s;
  std::size_t i = 0;

  void skip() {
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s[i] == '\n' || s[i] == '\r')) ++i;
  }
  [[noreturn]] void fail(const char* what) {
    throw std::runtime_error(std::string("JSON: ") + what + " at " + std::to_string(i));
  }
  void expect(char ch) {
    skip();
    if (i >= s.size() || s[i] != ch) fail("unexpected character");
    ++i;
  }
  std::string string() {
    expect('"');
    std::string out;
    while (i < s.size() && s[i] != '"') {
      if (s[i] == '\\') {
        ++i;
        if (i >= s.size()) fail("bad escape");
        const char e = s[i++];
        if (e == 'n') out += '\n';
        else if (e == 't') out += '\t';
        else if (e == 'r') out += '\r';
        else if (e == 'u') {
          out += static_cast<char>(std::stoi(s.substr(i, 4), nullptr, 16));
          i += 4;
        } else out += e;
      } else {
        out += s[i++];
      }
    }
    expect('"');
    return out;
  }
  Json value() {
    skip();
    if (i >= s.size()) fail("missing value");
    Json v;
    const char ch = s[i];
    if (ch == '{') {
      v.kind = Json::Object;
      ++i;
      skip();
      if (s[i] == '}') return ++i, v;
      for (;;) {
        std::string key = string();
        expect(':');
        v.fields[key] = value();
        skip();
        if (s[i] == ',') { ++i; continue; }
        expect('}');
        return v;
      }
    }
    if (ch == '[') {
      v.kind = Json::Array;
      ++i;
      skip();
      if (s[i] == ']') return ++i, v;
      for (;;) {
        v.items.push_back(value());
        skip();
        if (s[i] == ',') { ++i; continue; }
        expect(']');
        return v;
      }
    }
    if (ch == '"') {
      v.kind = Json::String;
      v.text = string();
      return v;
    }
    for (const char* word : {"true", "false", "null"}) {
      if (s.compare(i, std::string(word).size(), word) == 0) {
        i += std::string(word).size();
        v.kind = word[0] == 'n' ? Json::Null : Json::Bool;
        v.boolean = word[0] == 't';
        return v;
      }
    }
    std::size_t used = 0;
    v.kind = Json::Number;
    v.number = std::stod(s.substr(i), &used);
    i += used;
    return v;
  }
};

}  // namespace

Json Json::parse(const std::string& text) {
  Reader reader{text};
  Json v = reader.value();
  reader.skip();
  if (reader.i != text.size()) reader.fail("trailing text");
  return v;
}

std::string Json::dump() const {
  std::ostringstream out;
  switch (kind) {
    case Null: out << "null"; break;
    case Bool: out << (boolean ? "true" : "false"); break;
    case Number: out << number; break;
    case String: out << '"' << text << '"'; break;
    case Array:
      out << '[';
      for (std::size_t k = 0; k < items.size(); ++k) out << (k ? "," : "") << items[k].dump();
      out << ']';
      break;
    case Object: {
      out << '{';
      bool first = true;
      for (const auto& [key, value] : fields) out << (first ? "" : ",") << '"' << key << "\":" << value.dump(), first = false;
      out << '}';
    }
  }
  return out.str();
}

std::string subsetMismatch(const Json& expected, const Json& actual, const std::string& path) {
  const std::string where = path.empty() ? "." : path;
  if (expected.kind != actual.kind) return where + ": expected " + expected.dump() + ", got " + actual.dump();
  switch (expected.kind) {
    case Json::Object:
      for (const auto& [key, value] : expected.fields) {
        const auto it = actual.fields.find(key);
        if (it == actual.fields.end()) return path + "." + key + ": missing";
        if (auto m = subsetMismatch(value, it->second, path + "." + key); !m.empty()) return m;
      }
      return "";
    case Json::Array:
      if (expected.items.size() != actual.items.size()) return where + ": expected " + expected.dump() + ", got " + actual.dump();
      for (std::size_t k = 0; k < expected.items.size(); ++k) {
        if (auto m = subsetMismatch(expected.items[k], actual.items[k], path + "[" + std::to_string(k) + "]"); !m.empty()) return m;
      }
      return "";
    default:
      if (expected.dump() != actual.dump()) return where + ": expected " + expected.dump() + ", got " + actual.dump();
      return "";
  }
}

}  // namespace glamora::test
