#include "documents/documents.h"

namespace compattatore {

righe righe_scheda() { return fill_righe({}); }

}  // namespace compattatore
