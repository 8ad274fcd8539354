#include "store/KM.h"

// TEMPORARY until the file helpers land.
namespace KM {
void GetKM_DataFromDisk() {}
}  // namespace KM
