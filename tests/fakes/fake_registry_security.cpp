// The native tree has no security functions; the dialog only hands its
// record back here.
#include "app/registry_security.h"

ResultCode FreeRegistrySecurity(struct _SECURITY_ATTRIBUTES*) { return RC_OK; }
