#pragma once

#include <QColor>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRect>
#include <QString>

// A label that shows its text as written, never as HTML (aliases, titles, file names and
// tips come from the user), and takes no part in selection. Without a vertical alignment
// the text is centred vertically.
QLabel* plainLabel(QWidget* parent, const QString& text, const QRect& place, const QColor& colour = Qt::black,
                   Qt::Alignment alignment = Qt::AlignLeft);

QPushButton* pushButton(QWidget* parent, const QString& text, const QRect& place);

// A text field drawn alike with and without the focus: no focus ring on macOS, and elsewhere
// no focus frame from the style; its border stays.
void hideFocusFrame(QLineEdit& field);
