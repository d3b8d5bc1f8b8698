#include "support/ScriptedDialogs.h"

#include "platform/Forms.h"

#include <gtest/gtest.h>
#include <utility>

namespace corvana::test {

ScriptedDialogs::ScriptedDialogs() : m_previous(Application().installedDialogs()) { Application().setDialogs(this); }

ScriptedDialogs::~ScriptedDialogs() {
  Application().setDialogs(m_previous);
  for (const Reply &answer : m_script)
    ADD_FAILURE() << "expected prompt never came: " << DialogKindName(answer.kind).toStdString() << ": "
                  << answer.expectText.toStdString();
}

ScriptedDialogs &ScriptedDialogs::expect(Reply answer) {
  m_script.append(std::move(answer));
  return *this;
}

ScriptedDialogs &ScriptedDialogs::expectConfirm(bool yes, const QString &text) {
  return expect({Kind::Confirm, text, yes});
}
ScriptedDialogs &ScriptedDialogs::expectAskSave(Dialogs::Answer answer, const QString &text) {
  Reply a{Kind::AskSave, text};
  a.answer = answer;
  return expect(a);
}
ScriptedDialogs &ScriptedDialogs::expectMessage(const QString &text) { return expect({Kind::Message, text}); }
ScriptedDialogs &ScriptedDialogs::expectInformation(const QString &text) { return expect({Kind::Information, text}); }
ScriptedDialogs &ScriptedDialogs::expectError(const QString &text) { return expect({Kind::Error, text}); }
ScriptedDialogs &ScriptedDialogs::expectInput(const QString &answer, const QString &prompt) {
  return expect({Kind::Input, prompt, true, answer});
}
ScriptedDialogs &ScriptedDialogs::expectInputCancel(const QString &prompt) {
  return expect({Kind::Input, prompt, false});
}
ScriptedDialogs &ScriptedDialogs::expectOpenFile(const QString &path, int filterIndex) {
  return expect({Kind::OpenFile, {}, true, path, filterIndex});
}
ScriptedDialogs &ScriptedDialogs::expectSaveFile(const QString &path, int filterIndex) {
  return expect({Kind::SaveFile, {}, true, path, filterIndex});
}
ScriptedDialogs &ScriptedDialogs::expectOpenPicture(const QString &path) {
  return expect({Kind::OpenPicture, {}, true, path});
}
ScriptedDialogs &ScriptedDialogs::expectSavePicture(const QString &path, int filterIndex) {
  return expect({Kind::SavePicture, {}, true, path, filterIndex});
}
ScriptedDialogs &ScriptedDialogs::expectCancel(Kind kind) { return expect({kind, {}, false}); }
ScriptedDialogs &ScriptedDialogs::expectColor(TColor color) {
  Reply a{Kind::Color};
  a.color = color;
  return expect(a);
}
ScriptedDialogs &ScriptedDialogs::expectFont(const FontChoice &font) {
  Reply a{Kind::Font};
  a.font = font;
  return expect(a);
}
ScriptedDialogs &ScriptedDialogs::expectPrint(bool accept) { return expect({Kind::Print, {}, accept}); }
ScriptedDialogs &ScriptedDialogs::expectPrinterSetup(bool accept) { return expect({Kind::PrinterSetup, {}, accept}); }

QStringList ScriptedDialogs::log() const {
  QStringList lines;
  for (const Prompt &p : m_prompts)
    lines.append(DialogKindName(p.kind) + QStringLiteral(": ") + p.text);
  return lines;
}

std::optional<ScriptedDialogs::Reply> ScriptedDialogs::next(Kind kind, const QString &caption, const QString &text) {
  m_prompts.append(Prompt{kind, caption, text});
  const std::string shown = DialogKindName(kind).toStdString() + ": " + text.toStdString();
  if (m_script.isEmpty()) {
    ADD_FAILURE() << "unexpected prompt " << shown;
    return std::nullopt;
  }
  const Reply &front = m_script.front();
  if (front.kind != kind || (!front.expectText.isEmpty() && front.expectText != text)) {
    ADD_FAILURE() << "unexpected prompt " << shown << "; the script expected "
                  << DialogKindName(front.kind).toStdString() << ": " << front.expectText.toStdString();
    m_script.removeFirst(); // one fault, one failure: the missed answer is not reported again
    return std::nullopt;
  }
  return m_script.takeFirst();
}

bool ScriptedDialogs::confirm(const QString &text) {
  const auto a = next(Kind::Confirm, Application().title(), text);
  return a && a->accept;
}

Dialogs::Answer ScriptedDialogs::askSave(const QString &text) {
  const auto a = next(Kind::AskSave, Application().title(), text);
  return a ? a->answer : Dialogs::Answer::Cancel;
}

void ScriptedDialogs::message(const QString &text) { next(Kind::Message, Application().title(), text); }
void ScriptedDialogs::information(const QString &text) { next(Kind::Information, Application().title(), text); }
void ScriptedDialogs::error(const QString &text) { next(Kind::Error, Application().title(), text); }

QString ScriptedDialogs::inputBox(const QString &caption, const QString &prompt, const QString &defaultText) {
  const auto a = next(Kind::Input, caption, prompt);
  return a && a->accept ? a->text : defaultText;
}

bool ScriptedDialogs::fileAnswer(Kind kind, FileDialogOptions &options) {
  m_lastFileOptions = options;
  const auto a = next(kind, options.title, options.fileName);
  if (!a || !a->accept)
    return false;
  options.fileName = a->text;
  options.files = QStringList{a->text};
  if (a->filterIndex > 0)
    options.filterIndex = a->filterIndex;
  return true;
}

bool ScriptedDialogs::openFile(FileDialogOptions &options) { return fileAnswer(Kind::OpenFile, options); }
bool ScriptedDialogs::saveFile(FileDialogOptions &options) { return fileAnswer(Kind::SaveFile, options); }
bool ScriptedDialogs::openPicture(FileDialogOptions &options) { return fileAnswer(Kind::OpenPicture, options); }
bool ScriptedDialogs::savePicture(FileDialogOptions &options) { return fileAnswer(Kind::SavePicture, options); }

bool ScriptedDialogs::color(TColor &color) {
  const auto a = next(Kind::Color, {}, {});
  if (!a || !a->accept)
    return false;
  color = a->color;
  return true;
}

bool ScriptedDialogs::font(FontChoice &font) {
  const auto a = next(Kind::Font, {}, font.name);
  if (!a || !a->accept)
    return false;
  font = a->font;
  return true;
}

bool ScriptedDialogs::print(PrintOptions &) {
  const auto a = next(Kind::Print, {}, {});
  return a && a->accept;
}

bool ScriptedDialogs::printerSetup() {
  const auto a = next(Kind::PrinterSetup, {}, {});
  return a && a->accept;
}

namespace {
class ScriptedProgress : public Progress {
public:
  explicit ScriptedProgress(int cancelAt) : m_cancelAt(cancelAt) {}
  bool update(qint64, const QString &) override {
    if (m_cancelAt > 0 && ++m_updates >= m_cancelAt)
      m_cancelled = true;
    return !m_cancelled;
  }
  bool cancelled() const override { return m_cancelled; }

private:
  int m_cancelAt;
  int m_updates = 0;
  bool m_cancelled = false;
};
} // namespace

ScriptedDialogs &ScriptedDialogs::cancelProgressAt(int update) {
  m_cancelProgressAt = update;
  return *this;
}

std::unique_ptr<Progress> ScriptedDialogs::progress(const QString &title, qint64) {
  m_progressTitles.append(title);
  return std::make_unique<ScriptedProgress>(std::exchange(m_cancelProgressAt, 0));
}

} // namespace corvana::test
