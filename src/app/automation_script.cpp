#include "app/automation_script.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <sstream>

namespace {

std::string Lower(std::string s) {
  for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

bool ParseInt(const std::string& s, int& out) {
  auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
  return ec == std::errc() && p == s.data() + s.size();
}

bool ParseSeconds(const std::string& s, double& out) {
  char* end = nullptr;
  out = std::strtod(s.c_str(), &end);
  return !s.empty() && end == s.c_str() + s.size() && std::isfinite(out) && out >= 0;
}

// "X Y" or "ref X Y".
bool ParsePoint(std::istringstream& in, ScriptCommand& cmd) {
  std::string a, b, extra;
  if (!(in >> a)) return false;
  if (a == "ref") {
    cmd.ref = true;
    if (!(in >> a)) return false;
  }
  if (!(in >> b) || (in >> extra)) return false;
  return ParseInt(a, cmd.x) && ParseInt(b, cmd.y);
}

ScriptCommand Make(ScriptCommand::Kind kind, int line) {
  ScriptCommand c;
  c.kind = kind;
  c.line = line;
  return c;
}

}  // namespace

int VirtualKeyForName(const std::string& name) {
  std::string n = Lower(name);
  struct Named {
    const char* name;
    int vk;
  };
  static const Named kKeys[] = {
      {"escape", 0x1B},    {"esc", 0x1B},     {"return", 0x0D},   {"enter", 0x0D},  {"left", 0x25},
      {"right", 0x27},     {"up", 0x26},      {"down", 0x28},     {"delete", 0x2E}, {"back", 0x08},
      {"backspace", 0x08}, {"tab", 0x09},     {"space", 0x20},    {"home", 0x24},   {"end", 0x23},
      {"pageup", 0x21},    {"prior", 0x21},   {"pagedown", 0x22}, {"next", 0x22},   {"insert", 0x2D},
      {"shift", 0x10},     {"control", 0x11}, {"ctrl", 0x11},     {"alt", 0x12},
  };
  for (const Named& k : kKeys)
    if (n == k.name) return k.vk;
  if (n.size() == 1 && std::isalnum(static_cast<unsigned char>(n[0])))
    return std::toupper(static_cast<unsigned char>(n[0]));
  if (n.size() >= 2 && n[0] == 'f') {
    int f = 0;
    if (ParseInt(n.substr(1), f) && f >= 1 && f <= 24) return 0x70 + f - 1;
  }
  return -1;
}

bool ParseScript(const std::string& source, std::vector<ScriptCommand>& out, std::string& error) {
  out.clear();
  std::istringstream lines(source);
  std::string raw;
  int lineNo = 0;
  auto fail = [&](const std::string& what) {
    error = "line " + std::to_string(lineNo) + ": " + what;
    out.clear();
    return false;
  };
  while (std::getline(lines, raw)) {
    ++lineNo;
    if (!raw.empty() && raw.back() == '\r') raw.pop_back();
    size_t start = raw.find_first_not_of(" \t");
    if (start == std::string::npos || raw[start] == '#') continue;
    std::istringstream in(raw.substr(start));
    std::string word, extra;
    in >> word;
    std::string cmd = Lower(word);

    if (cmd == "player" || cmd == "goto") {
      // The rest of the line after the command word (a "#" here is a character, not a comment).
      size_t at = raw.find(word, start) + word.size();
      while (at < raw.size() && (raw[at] == ' ' || raw[at] == '\t')) ++at;
      std::string rest = raw.substr(at);
      while (!rest.empty() && (rest.back() == ' ' || rest.back() == '\t')) rest.pop_back();
      if (cmd == "player") {
        if (rest.empty()) return fail("player needs a NAME");
        ScriptCommand c = Make(ScriptCommand::kPlayer, lineNo);
        c.text = rest;
        out.push_back(c);
        continue;
      }
      ScriptCommand c = Make(ScriptCommand::kGoto, lineNo);
      std::istringstream words(rest);
      std::string id;
      if (!(words >> id) || !ParseInt(id, c.number)) return fail("goto needs CLASS [ARGUMENT]");
      size_t argAt = rest.find_first_not_of(" \t", id.size());
      c.on = argAt != std::string::npos;
      if (c.on) c.text = rest.substr(argAt);
      out.push_back(c);
      continue;
    }
    if (cmd == "flag") {
      ScriptCommand c = Make(ScriptCommand::kFlag, lineNo);
      std::string n, state;
      if (!(in >> n >> state) || (in >> extra) || !ParseInt(n, c.number) || c.number < 0 || c.number > 127 ||
          (Lower(state) != "on" && Lower(state) != "off"))
        return fail("flag needs N (0-127) and on or off");
      c.on = Lower(state) == "on";
      out.push_back(c);
      continue;
    }
    if (cmd == "seed") {
      ScriptCommand c = Make(ScriptCommand::kSeed, lineNo);
      std::string n;
      if (!(in >> n) || (in >> extra) || !ParseInt(n, c.number) || c.number < 0) return fail("seed needs N");
      out.push_back(c);
      continue;
    }
    if (cmd == "stage") {
      ScriptCommand c = Make(ScriptCommand::kStage, lineNo);
      std::string n;
      if (!(in >> n) || (in >> extra) || !ParseInt(n, c.number) || c.number < 0) return fail("stage needs N");
      out.push_back(c);
      continue;
    }
    if (cmd == "text") {
      // Everything after the command word, as typed (a "#" here is a character, not a comment).
      size_t at = raw.find(word, start) + word.size();
      if (at < raw.size() && (raw[at] == ' ' || raw[at] == '\t')) ++at;
      ScriptCommand c = Make(ScriptCommand::kText, lineNo);
      c.text = raw.substr(at);
      out.push_back(c);
      out.push_back(Make(ScriptCommand::kNextFrame, lineNo));
      continue;
    }
    if (cmd == "at") {
      ScriptCommand c = Make(ScriptCommand::kAt, lineNo);
      std::string v;
      if (!(in >> v) || (in >> extra) || !ParseSeconds(v, c.seconds)) return fail("at needs SECONDS");
      out.push_back(c);
    } else if (cmd == "frame") {
      ScriptCommand c = Make(ScriptCommand::kFrame, lineNo);
      std::string v;
      int n = 0;
      if (!(in >> v) || (in >> extra) || !ParseInt(v, n) || n < 0) return fail("frame needs a frame number");
      c.frame = uint32_t(n);
      out.push_back(c);
    } else if (cmd == "move" || cmd == "click" || cmd == "rclick") {
      ScriptCommand c = Make(ScriptCommand::kMove, lineNo);
      if (!ParsePoint(in, c)) return fail(cmd + " needs X Y or ref X Y");
      out.push_back(c);
      if (cmd != "move") {
        ScriptCommand press = Make(ScriptCommand::kButton, lineNo);
        press.right = cmd == "rclick";
        press.down = true;
        ScriptCommand release = press;
        release.down = false;
        out.push_back(press);
        out.push_back(Make(ScriptCommand::kNextFrame, lineNo));
        out.push_back(release);
        out.push_back(Make(ScriptCommand::kNextFrame, lineNo));
      }
    } else if (cmd == "down" || cmd == "up" || cmd == "rdown" || cmd == "rup") {
      if (in >> extra) return fail(cmd + " takes no arguments");
      ScriptCommand c = Make(ScriptCommand::kButton, lineNo);
      c.right = cmd[0] == 'r';
      c.down = cmd == "down" || cmd == "rdown";
      out.push_back(c);
    } else if (cmd == "key") {
      std::string name;
      if (!(in >> name) || (in >> extra)) return fail("key needs one key name");
      int vk = VirtualKeyForName(name);
      if (vk < 0) return fail("unknown key \"" + name + "\"");
      ScriptCommand c = Make(ScriptCommand::kKey, lineNo);
      c.key = vk;
      c.down = true;
      out.push_back(c);
      out.push_back(Make(ScriptCommand::kNextFrame, lineNo));
      c.down = false;
      out.push_back(c);
      out.push_back(Make(ScriptCommand::kNextFrame, lineNo));
    } else if (cmd == "screenshot" || cmd == "dump") {
      ScriptCommand c = Make(cmd == "dump" ? ScriptCommand::kDump : ScriptCommand::kScreenshot, lineNo);
      if (!(in >> c.text) || (in >> extra)) return fail(cmd + " needs one FILE (no spaces)");
      out.push_back(c);
    } else if (cmd == "quit") {
      if (in >> extra) return fail("quit takes no arguments");
      out.push_back(Make(ScriptCommand::kQuit, lineNo));
    } else {
      return fail("unknown command \"" + word + "\"");
    }
  }
  return true;
}

void ScriptRunner::BeforeFrame(uint32_t frame, float time, ScriptSink& sink) {
  while (next_ < commands_.size()) {
    const ScriptCommand& c = commands_[next_];
    switch (c.kind) {
      case ScriptCommand::kAt:
        if (double(time) < c.seconds) return;
        break;
      case ScriptCommand::kFrame:
        if (frame < c.frame) return;
        break;
      case ScriptCommand::kNextFrame:
        if (!waitingNextFrame_) {
          waitingNextFrame_ = true;
          nextFrameAfter_ = frame;
          return;
        }
        if (frame <= nextFrameAfter_) return;
        waitingNextFrame_ = false;
        break;
      case ScriptCommand::kMove:
        sink.ScriptPointer(c.x, c.y, c.ref);
        break;
      case ScriptCommand::kButton:
        sink.ScriptButton(c.right, c.down);
        break;
      case ScriptCommand::kKey:
        sink.ScriptKey(c.key, c.down);
        break;
      case ScriptCommand::kText:
        sink.ScriptText(c.text);
        break;
      case ScriptCommand::kScreenshot:
        sink.ScriptScreenshot(c.text);
        break;
      case ScriptCommand::kDump:
        sink.ScriptDump(c.text);
        break;
      case ScriptCommand::kPlayer:
        sink.ScriptPlayer(c.text);
        break;
      case ScriptCommand::kFlag:
        sink.ScriptFlag(c.number, c.on);
        break;
      case ScriptCommand::kStage:
        sink.ScriptStage(c.number);
        break;
      case ScriptCommand::kGoto:
        sink.ScriptGoto(c.number, c.on ? c.text.c_str() : nullptr);
        break;
      case ScriptCommand::kSeed:
        sink.ScriptSeed(c.number);
        break;
      case ScriptCommand::kQuit:
        next_ = commands_.size();  // nothing after quit runs
        sink.ScriptQuit();
        return;
    }
    ++next_;
  }
}
