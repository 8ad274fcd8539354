#pragma once

class QLineEdit;

// A window-title field cleaned as it is typed: the field gets the text the title rules
// settle on, written only when it differs (the write comes back through the field's change
// handler and finds nothing left to change). The caret stays where the user was typing,
// less what the rules took away before it.
void settleTitleField(QLineEdit& field);
