#include "editor/list_columns.h"

#include "platform/text.h"
#include "store/numeric.h"

namespace editor {

ListedLine ReadListItem(const std::string& item) {
  using platform::text::MidChars;
  using platform::text::Trim;
  ListedLine line;
  line.number = store::NumericValue16(MidChars(item, 0, 5));
  line.description = Trim(MidChars(item, 6, 40));
  line.path = Trim(MidChars(item, 47));
  return line;
}

}  // namespace editor
