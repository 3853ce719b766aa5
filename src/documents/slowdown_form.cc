#include "documents/documents.h"

namespace compattatore {

righe righe_rallentamenti() { return fill_righe({}); }

}  // namespace compattatore
