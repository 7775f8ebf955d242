#include "scene/game_object.h"

#include <cmath>

#include "platform/gfx/matrix_math.h"

namespace {

CGameObject* g_createHead = nullptr;
CGameObject* g_createTail = nullptr;
CGameObject* g_depthHead = nullptr;
CGameObject* g_depthTail = nullptr;

// Walk cursors. A destructor (or a depth change) moves a cursor that points at the object on to
// its successor, so a walk survives objects deleting themselves or each other.
CGameObject* g_nextUpdate = nullptr;
bool g_updating = false;
CGameObject* g_nextDeviceWalk = nullptr;
bool g_deviceWalking = false;
CGameObject* g_nextRender = nullptr;
CGameObject* g_hoverCandidate = nullptr;

float g_time = 0;
float g_elapsed = 0;
uint32_t g_frameCount = 0;
gfx::Viewport g_viewport{0, 0, 0, 0, 0.0f, 1.0f};

void SetMaterialColor(gfx::Material& m, uint32_t argb) {
  float a = float((argb >> 24) & 0xFF) / 255.0f;
  float r = float((argb >> 16) & 0xFF) / 255.0f;
  float g = float((argb >> 8) & 0xFF) / 255.0f;
  float b = float(argb & 0xFF) / 255.0f;
  m = gfx::Material{};
  m.diffuse = {r, g, b, a};
  m.ambient = {r, g, b, a};
}

// The child's world matrix expressed in the parent's, with the three axis rows brought to unit
// length so a scaled parent does not compound into the child. Detach goes back to identity.
gfx::Matrix ParentRelative(const gfx::Matrix& world, const gfx::Matrix& parentWorld) {
  gfx::Matrix inverse;
  if (!gfx::MatrixInverse(parentWorld, &inverse)) return gfx::Matrix::Identity();
  gfx::Matrix rel = world * inverse;
  for (int row = 0; row < 3; ++row) {
    float len = std::sqrt(rel.m[row][0] * rel.m[row][0] + rel.m[row][1] * rel.m[row][1] +
                          rel.m[row][2] * rel.m[row][2]);
    if (len > 0)
      for (int c = 0; c < 3; ++c) rel.m[row][c] /= len;
  }
  return rel;
}

// Runs op on every object in creation order; objects deleted by op are skipped cleanly.
template <typename Op>
void WalkCreationList(Op op) {
  bool outer = !g_deviceWalking;
  CGameObject* saved = g_nextDeviceWalk;
  g_deviceWalking = true;
  for (CGameObject* obj = g_createHead; obj; obj = g_nextDeviceWalk) {
    g_nextDeviceWalk = obj->CreationNext();
    op(obj);
  }
  g_nextDeviceWalk = saved;
  if (outer) g_deviceWalking = false;
}

}  // namespace

// ---- CGameObject --------------------------------------------------------------------------------

CGameObject::CGameObject() {
  world_ = gfx::Matrix::Identity();
  relative_ = gfx::Matrix::Identity();
  SetMaterialColor(material_, 0xFFFFFFFF);
  createPrev_ = g_createTail;
  if (g_createTail)
    g_createTail->createNext_ = this;
  else
    g_createHead = this;
  g_createTail = this;
  // Made during the update walk after the walk's last saved successor: update it this frame too.
  if (g_updating && !g_nextUpdate) g_nextUpdate = this;
  if (g_deviceWalking && !g_nextDeviceWalk) g_nextDeviceWalk = this;
}

CGameObject::~CGameObject() {
  destroying_ = true;
  if (g_nextUpdate == this) g_nextUpdate = createNext_;
  if (g_nextDeviceWalk == this) g_nextDeviceWalk = createNext_;
  if (g_hoverCandidate == this) g_hoverCandidate = nullptr;

  if (createPrev_)
    createPrev_->createNext_ = createNext_;
  else
    g_createHead = createNext_;
  if (createNext_)
    createNext_->createPrev_ = createPrev_;
  else
    g_createTail = createPrev_;
  createPrev_ = createNext_ = nullptr;

  UnlinkDepth();
  Detach();
  while (firstChild_) {
    CGameObject* child = firstChild_;
    child->Detach();
    child->OnParentDestroyed(this);
  }
}

void CGameObject::OnChildChanged(CGameObject*, int) {}
int CGameObject::DeleteDeviceObjects() {
  return 0;
}
void CGameObject::Update() {}
int CGameObject::InvalidateDeviceObjects() {
  return 0;
}
void CGameObject::OnParentDestroyed(CGameObject*) {}
void CGameObject::Render(gfx::Device*) {}
int CGameObject::RestoreDeviceObjects(gfx::Device*) {
  return 0;
}

gfx::Matrix* CGameObject::GetTransform(gfx::Matrix* out) {
  *out = gfx::Matrix::Identity();
  return out;
}

uint32_t CGameObject::GetTypeFlags() {
  return 0;
}
int CGameObject::GetTypeId() {
  return TypeId::kGameObject;
}
int CGameObject::GetCursorKind() {
  return 1;
}
int CGameObject::HitTest() {
  return kHitNone;
}
void CGameObject::OnNotify(CGameObject*, int) {}
void CGameObject::SetColor(uint32_t argb) {
  SetMaterialColor(material_, argb);
}

bool CGameObject::InDepthList() const {
  return depthPrev_ || depthNext_ || g_depthHead == this;
}

void CGameObject::UnlinkDepth() {
  if (!InDepthList()) return;
  if (g_nextRender == this) g_nextRender = depthNext_;
  if (depthPrev_)
    depthPrev_->depthNext_ = depthNext_;
  else
    g_depthHead = depthNext_;
  if (depthNext_)
    depthNext_->depthPrev_ = depthPrev_;
  else
    g_depthTail = depthPrev_;
  depthPrev_ = depthNext_ = nullptr;
}

void CGameObject::SetDepth(float z) {
  UnlinkDepth();
  depth_ = z;
  // Equal depths keep the order in which they were given: insert before the first strictly
  // deeper object. Most objects go on top, so try the tail first.
  CGameObject* before = nullptr;
  if (!g_depthTail || g_depthTail->depth_ <= z) {
    before = nullptr;
  } else {
    before = g_depthHead;
    while (before && before->depth_ <= z) before = before->depthNext_;
  }
  if (before) {
    depthNext_ = before;
    depthPrev_ = before->depthPrev_;
    if (depthPrev_)
      depthPrev_->depthNext_ = this;
    else
      g_depthHead = this;
    before->depthPrev_ = this;
  } else {
    depthPrev_ = g_depthTail;
    if (g_depthTail)
      g_depthTail->depthNext_ = this;
    else
      g_depthHead = this;
    g_depthTail = this;
  }
}

int CGameObject::Attach(CGameObject* parent, int mode) {
  if (!parent || parent_ || parent->destroying_) return 0;
  for (CGameObject* p = parent; p; p = p->parent_)
    if (p == this) return 0;
  parent_ = parent;
  attachMode_ = mode;
  relative_ = ParentRelative(world_, parent->world_);
  prevSibling_ = parent->lastChild_;
  nextSibling_ = nullptr;
  if (parent->lastChild_)
    parent->lastChild_->nextSibling_ = this;
  else
    parent->firstChild_ = this;
  parent->lastChild_ = this;
  parent->OnChildChanged(this, 1);
  return 1;
}

void CGameObject::Detach() {
  CGameObject* old = parent_;
  if (!old) return;
  if (prevSibling_)
    prevSibling_->nextSibling_ = nextSibling_;
  else
    old->firstChild_ = nextSibling_;
  if (nextSibling_)
    nextSibling_->prevSibling_ = prevSibling_;
  else
    old->lastChild_ = prevSibling_;
  parent_ = prevSibling_ = nextSibling_ = nullptr;
  attachMode_ = 0;
  relative_ = gfx::Matrix::Identity();
  old->OnChildChanged(this, 0);
}

namespace {
bool MatchesFilter(CGameObject* obj, int filter) {
  if (filter == kFilterAny) return true;
  if (filter >= 256) return (uint32_t(filter) & obj->GetTypeFlags()) != 0;
  return obj->GetTypeId() == filter;
}
}  // namespace

CGameObject* CGameObject::FindChild(int filter) {
  for (CGameObject* c = firstChild_; c; c = c->nextSibling_)
    if (MatchesFilter(c, filter)) return c;
  return nullptr;
}

CGameObject* CGameObject::NextSibling(int filter) {
  for (CGameObject* c = nextSibling_; c; c = c->nextSibling_)
    if (MatchesFilter(c, filter)) return c;
  return nullptr;
}

CGameObject* CGameObject::FindAncestor(int typeId) {
  for (CGameObject* p = parent_; p; p = p->parent_)
    if (p->GetTypeId() == typeId) return p;
  return nullptr;
}

CGameObject* CGameObject::FindChildById(int id) {
  for (CGameObject* c = firstChild_; c; c = c->nextSibling_)
    if (c->id_ == id) return c;
  return nullptr;
}

// ---- Weak references ----------------------------------------------------------------------------

CXRef::CXRef(CGameObject* target, CXRef** slot) : slot_(slot) {
  Attach(target, 0);
  if (slot_) *slot_ = this;
}

CXRef::~CXRef() {
  // The holder may already have put a newer reference into the slot.
  if (slot_ && *slot_ == this) *slot_ = nullptr;
}

void CXRef::OnParentDestroyed(CGameObject*) {
  delete this;
}

void CreateWeakRef(CGameObject* target, CXRef** slot) {
  if (!target) {
    if (slot) *slot = nullptr;
    return;
  }
  new CXRef(target, slot);
}

// ---- Module functions ---------------------------------------------------------------------------

void UpdateAllObjects(float time, float elapsed) {
  ++g_frameCount;
  g_time = time;
  g_elapsed = elapsed;
  bool outer = !g_updating;
  CGameObject* saved = g_nextUpdate;
  g_updating = true;
  for (CGameObject* obj = g_createHead; obj; obj = g_nextUpdate) {
    g_nextUpdate = obj->CreationNext();
    obj->Update();
  }
  g_nextUpdate = saved;
  if (outer) g_updating = false;
}

void RenderAllObjects(gfx::Device* device) {
  CGameObject* saved = g_nextRender;
  for (CGameObject* obj = g_depthHead; obj; obj = g_nextRender) {
    g_nextRender = obj->DepthNext();
    obj->Render(device);
  }
  g_nextRender = saved;
}

CGameObject* FindHoveredObject() {
  if (ShutterTransitionExists()) {
    g_hoverCandidate = nullptr;
    return nullptr;
  }
  g_hoverCandidate = g_depthTail;
  while (g_hoverCandidate) {
    CGameObject* obj = g_hoverCandidate;
    int hit = obj->HitTest();
    if (g_hoverCandidate != obj) break;  // destroyed during its own hit test
    if (hit == kHitHovered) return obj;
    if (hit == kHitBlocking) break;
    g_hoverCandidate = obj->DepthPrev();
  }
  g_hoverCandidate = nullptr;
  return nullptr;
}

void RestoreAllObjects(gfx::Device* device) {
  SetDevice(device);
  WalkCreationList([device](CGameObject* obj) { obj->RestoreDeviceObjects(device); });
}

void InvalidateAllObjects() {
  WalkCreationList([](CGameObject* obj) { obj->InvalidateDeviceObjects(); });
}

void DeleteAllDeviceObjects() {
  WalkCreationList([](CGameObject* obj) { obj->DeleteDeviceObjects(); });
}

void DestroyAllObjects() {
  while (g_createHead) delete g_createHead;
}

float GetTime() {
  return g_time;
}
float GetElapsed() {
  return g_elapsed;
}
uint32_t GetFrameCount() {
  return g_frameCount;
}
const gfx::Viewport& GetViewport() {
  return g_viewport;
}

void SetClientSize(int width, int height) {
  g_viewport.x = 0;
  g_viewport.y = 0;
  g_viewport.width = uint32_t(width > 0 ? width : 0);
  g_viewport.height = uint32_t(height > 0 ? height : 0);
  g_viewport.minZ = 0.0f;
  g_viewport.maxZ = 1.0f;
}

int GetClientWidth() {
  return int(g_viewport.width);
}
int GetClientHeight() {
  return int(g_viewport.height);
}
float GetTopDepth() {
  return g_depthTail ? g_depthTail->GetDepth() : 0.0f;
}
CGameObject* FirstObject() {
  return g_createHead;
}
CGameObject* FirstDepthObject() {
  return g_depthHead;
}

int CountObjects() {
  int n = 0;
  for (CGameObject* o = g_createHead; o; o = o->CreationNext()) ++n;
  return n;
}
