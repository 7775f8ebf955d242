// Venue file bytes -> venue values. Whatever the bytes, the slot count stays in 1..12, every
// placement number is finite, behaviours are known ones, patches have a positive period and a
// variance in 0..1, and a saved board never names more than 12 slots.
#include "search/venue_file.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "data/xml_document.h"
#include "search/item_list.h"

namespace {
void Check(bool ok) {
  if (!ok) std::abort();
}
bool Finite(float v) {
  return std::isfinite(v);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  XmlDocument doc;
  doc.LoadBytes(data, size);
  ScopedXmlNode root(doc, doc.Root());
  if (!root) return 0;
  const venue::VenueAttributes a = venue::VenueAttributes::Read(doc, root);
  Check(a.itemSlots >= 1 && a.itemSlots <= venue::kMaxItemSlots && a.itemsToFind >= 0);
  std::vector<itemlist::Candidate> candidates;
  for (const venue::HiddenObjectSpec& o : venue::ReadHiddenObjects(doc, root)) {
    Check(o.behavior >= venue::kFindable && o.behavior <= venue::kMoveable);
    Check(Finite(o.x) && Finite(o.y) && Finite(o.size) && Finite(o.angle) && Finite(o.aspect) &&
          o.aspect >= 0);
    Check(o.alpha >= 0 && o.alpha <= 1 && (o.flips & ~24u) == 0);
    if (o.shadow) Check(Finite(o.shadow->size) && o.shadow->intensity >= 0 && o.shadow->intensity <= 1);
    if (o.box) Check(Finite(o.box->size) && Finite(o.box->aspect) && o.box->size >= 0);
    if (o.behavior == venue::kFindable && !o.BoardName().empty())
      itemlist::InsertCandidate(candidates, {o.BoardName(), o.plural, o.inventoryClass != 0, 0});
  }
  const itemlist::ListChoice choice = itemlist::ChooseList(candidates, a.itemsToFind, a.itemSlots);
  Check(int(choice.slots.size()) <= a.itemSlots);
  ScopedXmlNode patches(doc, doc.FindChildNode(root, "Patches"));
  for (ScopedXmlNode p(doc, doc.FindChildNode(patches)); p; p.Next()) {
    const venue::PatchSpec spec = venue::PatchSpec::Read(doc, p);
    Check(spec.period > 0 && Finite(spec.period) && spec.variance >= 0 && spec.variance <= 1);
  }
  ScopedXmlNode board(doc, doc.FindChildNode(root, "ItemBoard"));
  const venue::SavedBoard saved = venue::SavedBoard::Read(doc, board);
  Check(saved.slots >= 0 && saved.slots <= venue::kMaxItemSlots);
  return 0;
}
