#include "compact/consistency_pass.h"

namespace compattatore {

void passo_consistenza(scenario& /*s*/) {}

}  // namespace compattatore
