#include "archiver/entry_name.h"

namespace archiver {

const NameRules kSystemNameRules = NameRules::kLinux;

}  // namespace archiver
