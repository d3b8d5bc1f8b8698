#pragma once
// The paint window: the image in a scroll box, the tool bar with its drop-downs, the colour
// list, swatch and pattern list on the right, and the menus. Mouse events go to the paint
// model; the window keeps the file name, the status panels and the pictures of its buttons.

#include "platform/CommandTable.h"
#include "platform/Forms.h"
#include "smudgel/PaintModel.h"
#include "smudgel/SmudgelIcons.h"
#include "smudgel/SmudgelWidgets.h"

#include <QHash>

class QFrame;
class QLabel;
class QScrollArea;

namespace corvana {

class TSmudgelF : public TForm {
  Q_OBJECT

public:
  TSmudgelF();
  ~TSmudgelF() override;

  void FormCreate() override;
  bool FormCloseQuery() override;
  void FormClose(CloseAction &action) override;

  // File menu
  void New1Click();
  void Open1Click();
  void SaveAs1Click();
  void OpenPattern1Click();
  void SavePattern1Click();
  void Exit1Click();

  // Opens or saves through the guarded runner; false after an error shown to the user.
  bool openFile(const QString &path);
  bool saveFile(const QString &path);

  static const QString OpenFilter;
  static const QString SaveFilter;

  smudgel::PaintModel &model() { return m_model; }
  Commands &commands() { return m_commands; }
  const QString &fileName() const { return m_fileName; }
  // The drop-down entry whose picture a button shows now.
  smudgel::SmudgelIcon buttonPicture(const QString &button) const { return m_pictures.value(button); }

  QString AppDir;

  QToolBar *ToolBar1 = nullptr;
  QScrollArea *ScrollBox1 = nullptr;
  smudgel::PaintView *mypaint = nullptr;
  QWidget *Panel1 = nullptr;
  smudgel::ColorListBox *LineColor = nullptr;
  smudgel::ColorSwatch *shapeflag = nullptr;
  QFrame *Bevel1 = nullptr;
  smudgel::PatternListBox *PatList = nullptr;
  QList<QLabel *> StatusBar1;

private:
  void buildCommands();
  void buildControls();
  // After every command and mouse event: the changed pixels, the swatch and the brush button.
  void refresh();
  void setButtonPicture(const QString &button, smudgel::SmudgelIcon picture);
  void selectTool(const QString &name);
  void chooseShape(int entry);
  void setPenMode(PenMode mode);
  void setBrushStyle(int entry);
  void setLineWidth(int width);
  void setStatus(int panel, const QString &text);
  void lineColorChosen(int row);
  void fillColorChosen(int row);
  void swatchReleased(bool shift);
  void patternMenu(const QPoint &at);
  // Before New and Open replace a changed image, and before the window closes.
  bool mayDiscardImage();
  bool saveWithDialog();
  void writePatterns();

  smudgel::PaintModel m_model;
  Commands m_commands;
  QString m_fileName;
  QHash<QString, smudgel::SmudgelIcon> m_pictures;
  int m_lastShape = 0;
  int m_lastBrushStyle = 0;
  int m_lastWidth = 1;
};

inline TSmudgelF *SmudgelF = nullptr;

} // namespace corvana
