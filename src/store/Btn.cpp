#include "store/Btn.h"

// TEMPORARY: bodies follow; the declarations in Btn.h are final.
Btn Btn::clone() const { return Btn(); }
QString Btn::LineTabProperties() const { return {}; }
QString Btn::LineTabFieldName() { return {}; }
