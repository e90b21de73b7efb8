// Never compiled: display and extract stand side by side, so neither may include the other.
#include "extract/MemberCopy.h"
