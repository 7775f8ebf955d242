#include "flow/portal_link.h"

#include "data/xml_document.h"
#include "platform/os/host.h"

namespace {
bool g_loaded = false;
std::string g_url;
ScreenRect g_icon;
}  // namespace

void LoadPortalDescription() {
  FreePortalDescription();
  const std::string path = os::JoinPath(os::DataRoot(), "Portal.xml");
  if (!os::FileExists(path)) return;
  XmlDocument doc;
  if (doc.LoadFile(path) != 0) return;
  ScopedXmlNode root(doc, doc.Root());
  if (!root) return;
  g_loaded = true;
  std::string url = doc.CopyAttribute(root, "URL").value_or("");
  if (os::IsOpenableUrl(url)) g_url = std::move(url);
  ScopedXmlNode first(doc, doc.FindChildNode(root, nullptr));
  if (first && !doc.IsElement(first)) first.NextElement();
  if (first) {
    g_icon = ScreenRect(doc.GetFloatAttribute(first, "Left", 0), doc.GetFloatAttribute(first, "Top", 0),
                        doc.GetFloatAttribute(first, "Right", 0), doc.GetFloatAttribute(first, "Bottom", 0));
  }
}

void FreePortalDescription() {
  g_loaded = false;
  g_url.clear();
  g_icon = ScreenRect();
}

bool HasPortalDescription() {
  return g_loaded;
}

const std::string& PortalUrl() {
  return g_url;
}

ScreenRect PortalIconFractions() {
  return g_icon;
}
