#pragma once

class QLineEdit;

// A window-title field cleaned as it is typed: the field gets the text the title rules
// settle on, written only when it differs (the write comes back through the field's change
// handler and finds nothing left to change). The caret stays after what the user typed: it
// moves back by what the rules took away before it, and on by what they put in front.
void settleTitleField(QLineEdit& field);

// Typing stops at the title's 25 characters; a paste keeps what fits.
void limitTitleTyping(QLineEdit& field);
