#include "common/GeneralMethods.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include "common/ErrorGuard.h"
#include "common/ModalSeam.h"

namespace GeneralMethods {
namespace {
const auto kMesDlg = ReportLocation::moduleMethod(QStringLiteral("GeneralMethods"), QStringLiteral("MesDlg"));
}  // namespace

qint64 MesDlg(const QString& message, const QString& explanation, const QString& actionCaption,
              bool showCancel, const QString& alternateCaption) {
  return guarded(kMesDlg, [&]() -> qint64 {
    QMessageBox dialog;
    dialog.setIcon(QMessageBox::Information);
    // A hidden button is left out rather than hidden, so no key can press it.
    QAbstractButton* action = dialog.addButton(actionCaption, QMessageBox::AcceptRole);
    if (showCancel) dialog.addButton(QMessageBox::Cancel);
    QAbstractButton* alternate =
        alternateCaption.isEmpty() ? nullptr : dialog.addButton(alternateCaption, QMessageBox::DestructiveRole);
    dialog.setTextFormat(Qt::PlainText);
    dialog.setText(message);
    dialog.setInformativeText(explanation);
    // Both texts may quote paths and aliases: shown as written, never as markup.
    for (QLabel* label : dialog.findChildren<QLabel*>()) label->setTextFormat(Qt::PlainText);
    ModalSeam::run(dialog);
    const QAbstractButton* pressed = dialog.clickedButton();
    if (pressed && pressed == action) return 1;
    if (pressed && pressed == alternate) return 2;
    return 0;
  });
}

}  // namespace GeneralMethods
