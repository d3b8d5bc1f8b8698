#include "vellant/FindBox.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace corvana {

TFindBox::TFindBox(QWidget *parent)
    : QDialog(parent), m_text(new QLineEdit(this)), m_matchCase(new QCheckBox(QStringLiteral("Match &case"), this)) {
  setObjectName(QStringLiteral("FindDialog"));
  setWindowTitle(QStringLiteral("Find"));
  setModal(false);
  m_text->setObjectName(QStringLiteral("FindText"));
  m_matchCase->setObjectName(QStringLiteral("MatchCase"));

  auto *buttons = new QDialogButtonBox(this);
  m_findNext = buttons->addButton(QStringLiteral("&Find Next"), QDialogButtonBox::AcceptRole);
  m_findNext->setObjectName(QStringLiteral("FindNext"));
  m_findNext->setDefault(true);
  buttons->addButton(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("Cancel"));
  connect(m_findNext, &QPushButton::clicked, this, &TFindBox::FindNext);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::hide);

  auto *form = new QFormLayout;
  form->addRow(QStringLiteral("Fi&nd what:"), m_text);
  form->addRow(QString(), m_matchCase);
  auto *layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
}

QString TFindBox::FindText() const { return m_text->text(); }

void TFindBox::setFindText(const QString &text) { m_text->setText(text); }

bool TFindBox::MatchCase() const { return m_matchCase->isChecked(); }

void TFindBox::setMatchCase(bool on) { m_matchCase->setChecked(on); }

void TFindBox::FindNext() {
  if (!FindText().isEmpty())
    emit find();
}

} // namespace corvana
