#pragma once
// A Dialogs service for tests: answers prompts from a script in order, records every prompt,
// and fails the test on any prompt it was not told to expect or on answers left unused.

#include "platform/Dialogs.h"

#include <QList>
#include <optional>

namespace corvana::test {

class ScriptedDialogs : public Dialogs {
public:
  struct Prompt {
    Kind kind;
    QString caption;
    QString text;
  };

  // Installs itself as the application's dialogs service for its lifetime.
  ScriptedDialogs();
  ~ScriptedDialogs() override;

  // Expectations, answered in the order given. An empty text matches any prompt of the kind.
  ScriptedDialogs &expectConfirm(bool yes, const QString &text = {});
  ScriptedDialogs &expectAskSave(Dialogs::Answer answer, const QString &text = {});
  ScriptedDialogs &expectMessage(const QString &text = {});
  ScriptedDialogs &expectInformation(const QString &text = {});
  ScriptedDialogs &expectError(const QString &text = {});
  ScriptedDialogs &expectInput(const QString &answer, const QString &prompt = {});
  ScriptedDialogs &expectInputCancel(const QString &prompt = {});
  ScriptedDialogs &expectOpenFile(const QString &path, int filterIndex = 0);
  ScriptedDialogs &expectSaveFile(const QString &path, int filterIndex = 0);
  ScriptedDialogs &expectOpenPicture(const QString &path);
  ScriptedDialogs &expectSavePicture(const QString &path, int filterIndex = 0);
  ScriptedDialogs &expectCancel(Kind kind);
  ScriptedDialogs &expectColor(TColor color);
  ScriptedDialogs &expectFont(const FontChoice &font);
  ScriptedDialogs &expectPrint(bool accept = true);
  ScriptedDialogs &expectPrinterSetup(bool accept = true);

  // The next progress window is cancelled at its n-th update (1-based); progress windows are
  // not prompts, so unscripted ones simply run to their end.
  ScriptedDialogs &cancelProgressAt(int update);
  // Titles of the progress windows opened, in order.
  const QStringList &progressTitles() const { return m_progressTitles; }

  const QList<Prompt> &prompts() const { return m_prompts; }
  // "kind: text" per prompt, for compact assertions.
  QStringList log() const;
  int pending() const { return int(m_script.size()); }
  // The options the last file dialog was opened with.
  const FileDialogOptions &lastFileOptions() const { return m_lastFileOptions; }
  // Forgets the remaining expectations without failing.
  void clear() { m_script.clear(); }

  bool confirm(const QString &text) override;
  Dialogs::Answer askSave(const QString &text) override;
  void message(const QString &text) override;
  void information(const QString &text) override;
  void error(const QString &text) override;
  QString inputBox(const QString &caption, const QString &prompt, const QString &defaultText) override;
  bool openFile(FileDialogOptions &options) override;
  bool saveFile(FileDialogOptions &options) override;
  bool openPicture(FileDialogOptions &options) override;
  bool savePicture(FileDialogOptions &options) override;
  bool color(TColor &color) override;
  bool font(FontChoice &font) override;
  bool print(PrintOptions &options) override;
  bool printerSetup() override;
  std::unique_ptr<Progress> progress(const QString &title, qint64 total) override;

private:
  struct Reply {
    Kind kind;
    QString expectText;
    bool accept = true;
    QString text;
    int filterIndex = 0;
    TColor color = 0;
    FontChoice font;
    Dialogs::Answer answer = Dialogs::Answer::Cancel;
  };
  ScriptedDialogs &expect(Reply answer);
  // Records the prompt and takes the next answer; nullopt (after a test failure) when unexpected.
  std::optional<Reply> next(Kind kind, const QString &caption, const QString &text);
  bool fileAnswer(Kind kind, FileDialogOptions &options);
  QStringList m_progressTitles;
  int m_cancelProgressAt = 0;

  QList<Reply> m_script;
  QList<Prompt> m_prompts;
  FileDialogOptions m_lastFileOptions;
  Dialogs *m_previous = nullptr;
};

} // namespace corvana::test
