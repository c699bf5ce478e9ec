#include "winsvc/win32/link_accessible.h"

#include <oleacc.h>

#include <new>
#include <string>

#include "platform/win32/system_functions.h"

namespace quellix::win32 {
namespace {

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// A string for the reader, who frees it; null when there is no memory.
BSTR ReaderString(const std::wstring& text) {
  return os::win32::Accessibility().SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

// A link's object: Windows' own object of its window's client area, which
// knows the window, with the role, name, state and action of a link.
class LinkAccessible final : public IAccessible {
 public:
  // Takes over the reference to standard.
  LinkAccessible(HWND link, IAccessible* standard) : link_(link), standard_(standard) {}
  LinkAccessible(const LinkAccessible&) = delete;
  LinkAccessible& operator=(const LinkAccessible&) = delete;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
    if (!object) return E_POINTER;
    if (id == __uuidof(IUnknown) || id == __uuidof(IDispatch) || id == __uuidof(IAccessible)) {
      *object = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ::InterlockedIncrement(&references_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = ::InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  // IDispatch: readers call the interface itself; late binding is not offered.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    if (info) *info = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible: a link's own answers about itself.
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (!IsSelf(child)) return standard_->get_accName(child, name);
    if (!name) return E_POINTER;
    const int length = ::GetWindowTextLengthW(link_);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(link_, text.data(), length + 1)));
    *name = ReaderString(text);
    return *name ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (!IsSelf(child)) return standard_->get_accRole(child, role);
    if (!role) return E_POINTER;
    role->vt = VT_I4;
    role->lVal = ROLE_SYSTEM_LINK;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    const HRESULT result = standard_->get_accState(child, state);
    if (SUCCEEDED(result) && IsSelf(child) && state && state->vt == VT_I4) {
      state->lVal |= STATE_SYSTEM_LINKED | STATE_SYSTEM_FOCUSABLE;
    }
    return result;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    if (!IsSelf(child)) return standard_->get_accDefaultAction(child, action);
    if (!action) return E_POINTER;
    *action = ReaderString(L"Jump");
    return *action ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    if (!IsSelf(child)) return standard_->accDoDefaultAction(child);
    // Posted: the reader waits for no link to open.
    return ::PostMessageW(link_, kFollowLinkMessage, 0, 0) ? S_OK : E_FAIL;
  }

  // IAccessible: the window's.
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return standard_->get_accParent(parent);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    return standard_->get_accChildCount(count);
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    return standard_->get_accChild(child, object);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return standard_->get_accValue(child, value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
    return standard_->get_accDescription(child, description);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return standard_->get_accHelp(child, help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
    return standard_->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    return standard_->get_accKeyboardShortcut(child, shortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
    return standard_->get_accFocus(focus);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    return standard_->get_accSelection(selection);
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
    return standard_->accSelect(flags, child);
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                        VARIANT child) override {
    return standard_->accLocation(left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    return standard_->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
    return standard_->accHitTest(x, y, child);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
    return standard_->put_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return standard_->put_accValue(child, value);
  }

 private:
  ~LinkAccessible() { standard_->Release(); }

  LONG references_ = 1;
  HWND link_;
  IAccessible* standard_;
};

}  // namespace

LRESULT LinkObjectReference(HWND link, WPARAM wParam) {
  const os::win32::AccessibilityFunctions& oleacc = os::win32::Accessibility();
  if (!oleacc.CreateStdAccessibleObject || !oleacc.LresultFromObject || !oleacc.SysAllocStringLen) {
    return 0;
  }
  IAccessible* standard = nullptr;
  if (FAILED(oleacc.CreateStdAccessibleObject(link, OBJID_CLIENT, __uuidof(IAccessible),
                                              reinterpret_cast<void**>(&standard))) ||
      !standard) {
    return 0;
  }
  auto* object = new (std::nothrow) LinkAccessible(link, standard);
  if (!object) {
    standard->Release();
    return 0;
  }
  // The reference goes with the answer: the asker takes its own from it.
  const LRESULT reference = oleacc.LresultFromObject(__uuidof(IAccessible), wParam, object);
  object->Release();
  return reference > 0 ? reference : 0;
}

}  // namespace quellix::win32
