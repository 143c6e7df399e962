#include "device/ckvlock.h"

// Out of line so the class has one home for its vtable.
CKVLock::~CKVLock() = default;
