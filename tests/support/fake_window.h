// Stand-ins for the window's boxes and message boxes, so the engine runs without a window.
#pragma once

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "core/editor_services.h"
#include "core/field_map.h"

namespace tallyvane::test {

class FakeFields : public FieldAccess {
 public:
  std::string GetFieldText(int field) const override { return boxes.at(Index(field)); }
  void SetFieldText(int field, const std::string& text) override { boxes.at(Index(field)) = text; }

  std::string& operator[](int field) { return boxes.at(Index(field)); }

  std::array<std::string, kFieldCount> boxes;

 private:
  static std::size_t Index(int field) { return static_cast<std::size_t>(field - 1); }
};

struct ShownMessage {
  std::string text;
  std::string title;
  bool operator==(const ShownMessage&) const = default;
};

// Records every box; a question gets `answer`.
class FakeMessages : public MessageBoxService {
 public:
  void ShowMessage(const std::string& text, const std::string& title) override {
    shown.push_back({text, title});
  }
  bool Ask(const std::string& text, const std::string& title, Answer) override {
    asked.push_back({text, title});
    return answer;
  }
  std::vector<ShownMessage> shown;
  std::vector<ShownMessage> asked;
  bool answer = false;
};

}  // namespace tallyvane::test
