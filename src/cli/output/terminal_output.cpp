#include "cli/output/terminal_output.h"

#include "cli/app/exit_codes.h"
#include "cli/output/progress_line.h"
#include "cli/output/terminal_text.h"
#include "core/text/format.h"

namespace vantrell::cli {
namespace {

std::string Text(const Event& event, const char* key) {
  const auto it = event.find(key);
  return it != event.end() && it->is_string() ? it->get<std::string>() : std::string();
}

std::string Scalar(const Event& value) { return value.is_string() ? value.get<std::string>() : JsonLine(value); }

std::string IdentityLine(const char* what, const Event& identity) {
  return FormatText("%-8s %s (0x%04X) version %s", what, Text(identity, "name").c_str(),
                    identity.value("number", 0u), Text(identity, "version").c_str());
}

// Fixed-width columns, each as wide as its widest cell.
std::vector<std::string> Table(const std::vector<std::vector<std::string>>& rows) {
  std::vector<std::size_t> widths;
  for (const auto& row : rows) {
    widths.resize(std::max(widths.size(), row.size()));
    for (std::size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], row[c].size());
  }
  std::vector<std::string> lines;
  for (const auto& row : rows) {
    std::string line = " ";
    for (std::size_t c = 0; c < row.size(); ++c) {
      line += " " + row[c];
      if (c + 1 < row.size()) line += std::string(widths[c] - row[c].size(), ' ');
    }
    lines.push_back(line);
  }
  return lines;
}

}  // namespace

std::string OneLine(const std::string& text) {
  std::string line;
  bool gap = false;
  for (char c : text) {
    if (c == '\r' || c == '\n') {
      gap = !line.empty();
      continue;
    }
    if (gap) line += ' ';
    gap = false;
    line += c;
  }
  return line;
}

void TerminalOutput::Emit(const Event& event) {
  std::lock_guard<std::mutex> lock(mutex_);
  const std::string kind = Text(event, "event");
  if (kind == "start") Start(event);
  if (kind == "stage") Stage(event);
  if (kind == "progress") Progress(event);
  if (kind == "box") Box(event);
  if (kind == "socket") sockets_.push_back(event);
  if (kind == "result") Result(event);
  out_.flush();
}

void TerminalOutput::Line(const std::string& text) {
  EndProgressLine();
  out_ << VisibleControls(text) << '\n';
}

void TerminalOutput::EndProgressLine() {
  if (!progressShown_) return;
  out_ << '\n';
  progressShown_ = false;
}

void TerminalOutput::Start(const Event& event) {
  std::string line = Text(event, "command");
  if (event.contains("device")) {
    line += FormatText(": %s %s (%s)", Text(event, "device").c_str(), Text(event, "version").c_str(),
                       Text(event, "image").c_str());
  }
  if (event.contains("sockets")) line += FormatText(", %u sockets", event["sockets"].get<unsigned>());
  if (event.contains("options") && !event["options"].empty()) {
    std::string names;
    for (const auto& option : event["options"]) names += (names.empty() ? "" : ", ") + Scalar(option);
    line += ": " + names;
  }
  Line(line);
  for (const auto& file : event.value("files", Event::array())) {
    // A NAND download's files start at a block and carry no checksum.
    const bool block = file.contains("block");
    std::string line = FormatText("  file %u: %s at %s %d, %llu bytes", file.value("index", 0u) + 1,
                                  Text(file, "path").c_str(), block ? "block" : "sector",
                                  file.value(block ? "block" : "sector", 0), file.value("size", 0ull));
    if (file.contains("checksum")) line += ", checksum " + Text(file, "checksum");
    Line(line);
  }
}

void TerminalOutput::Stage(const Event& event) {
  stageStart_ = Clock::now();
  std::string line = "» " + Text(event, "name");
  if (event.contains("file") && event["file"].is_number()) {
    line += FormatText(" - file %u", event["file"].get<unsigned>() + 1);
    if (event.contains("path")) line += ": " + Text(event, "path");
  }
  Line(line);
}

void TerminalOutput::Progress(const Event& event) {
  ProgressSample sample;
  sample.stage = Text(event, "stage");
  sample.done = event.value("done", 0ull);
  sample.total = event.value("total", 0ull);
  sample.unit = Text(event, "unit");
  sample.elapsedSeconds = std::chrono::duration<double>(Clock::now() - stageStart_).count();
  const std::string text = ProgressLineText(sample);
  if (live_) {
    out_ << '\r' << VisibleControls(text) << "\x1b[K";
    progressShown_ = true;
    if (sample.done >= sample.total) EndProgressLine();
  } else if (sample.done >= sample.total) {
    Line(text);
  }
}

void TerminalOutput::Box(const Event& event) {
  std::string line = "[" + Text(event, "caption") + "] " + OneLine(Text(event, "text"));
  if (event.value("question", false)) line += " -> " + Text(event, "answer");
  Line(line);
}

void TerminalOutput::SocketTable() {
  if (sockets_.empty()) return;
  std::vector<std::vector<std::string>> rows{{"socket", "result", "line"}};
  for (const auto& s : sockets_) rows.push_back({Text(s, "label"), Text(s, "result"), Text(s, "text")});
  for (const std::string& line : Table(rows)) Line(line);
  sockets_.clear();
}

void TerminalOutput::Result(const Event& event) {
  EndProgressLine();
  SocketTable();
  for (const auto& [key, value] : event.items()) {
    if (key == "v" || key == "event" || key == "command" || key == "exit" || key == "error") continue;
    if ((key == "writer" || key == "image") && value.is_object()) {
      Line(IdentityLine(key.c_str(), value));
    } else if (value.is_array()) {
      std::vector<std::vector<std::string>> rows;
      for (const auto& item : value) {
        if (rows.empty() && item.is_object()) {
          rows.emplace_back();
          for (const auto& field : item.items()) rows.back().push_back(field.key());
        }
        rows.emplace_back();
        if (!item.is_object()) {
          rows.back().push_back(Scalar(item));
          continue;
        }
        for (const auto& field : item.items()) rows.back().push_back(Scalar(field.value()));
      }
      Line(key + ":");
      for (const std::string& line : Table(rows)) Line(line);
    } else if (value.is_object()) {
      std::string line = key + ":";
      for (const auto& field : value.items()) line += " " + field.key() + " " + Scalar(field.value());
      Line(line);
    } else {
      Line(key + ": " + Scalar(value));
    }
  }
  if (event.contains("exit")) {
    const int code = event["exit"].get<int>();
    Line(FormatText("exit code %d: %s", code, ExitCodeMeaning(code, Text(event, "command"))));
  }
}

}  // namespace vantrell::cli
