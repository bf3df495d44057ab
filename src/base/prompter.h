#pragma once
// Messages and questions of the engine. Core code never shows a dialog itself: it asks a Prompter,
// which the window answers with a real message box, the command line and the tests with a script.

#include <string>
#include <vector>

namespace varemo {

enum class PromptIcon { Information, Warning, Critical, Question };
enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class PromptAnswer { Ok, Cancel, Yes, No };

struct PromptMessage {
    PromptIcon icon = PromptIcon::Information;
    std::string title;
    std::vector<std::string> lines; // shown one below the other
    PromptButtons buttons = PromptButtons::Ok;
    // The box starts on "Nein" / "Abbrechen": the question would destroy or overwrite data, so that an
    // Enter pressed without reading keeps it.
    bool refusalIsDefault = false;

    // The lines joined with line breaks.
    std::string text() const;
};

class Prompter {
  public:
    virtual ~Prompter() = default;
    virtual PromptAnswer ask(const PromptMessage& message) = 0;

    // Convenience for a plain notice with an OK button.
    void tell(std::string title, std::vector<std::string> lines, PromptIcon icon = PromptIcon::Information);
};

// Answers every question the same way and keeps every message, in order. Used by the command line
// (answers from --answer) and the tests.
class RecordingPrompter : public Prompter {
  public:
    explicit RecordingPrompter(bool answerYes = false) : answerYes_(answerYes) {}
    PromptAnswer ask(const PromptMessage& message) override;
    const std::vector<PromptMessage>& messages() const { return messages_; }
    void clear() { messages_.clear(); }

  private:
    bool answerYes_;
    std::vector<PromptMessage> messages_;
};

} // namespace varemo
