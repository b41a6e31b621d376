#include "screenreader.h"

#include "design.h"
#include "libraryfunction.h"
#include "widetext.h"

#include <memory>
#include <new>
#include <oleacc.h>

namespace {

// Loaded once and kept for the life of the process: a screen reader may hold
// an object, and through it the system's, after the window is gone.
struct Libraries {
    HMODULE ole32 = systemLibrary(L"ole32.dll");
    HMODULE oleaut32 = systemLibrary(L"oleaut32.dll");
    HMODULE oleacc = systemLibrary(L"oleacc.dll");

    decltype(&CoInitializeEx) initialize =
        libraryFunction<decltype(&CoInitializeEx)>(ole32, "CoInitializeEx");
    decltype(&SysAllocString) allocString =
        libraryFunction<decltype(&SysAllocString)>(oleaut32, "SysAllocString");
    decltype(&CreateStdAccessibleObject) standardObject =
        libraryFunction<decltype(&CreateStdAccessibleObject)>(oleacc, "CreateStdAccessibleObject");
    decltype(&LresultFromObject) resultFromObject =
        libraryFunction<decltype(&LresultFromObject)>(oleacc, "LresultFromObject");
    decltype(&AccessibleObjectFromWindow) objectFromWindow =
        libraryFunction<decltype(&AccessibleObjectFromWindow)>(oleacc,
                                                               "AccessibleObjectFromWindow");
    decltype(&LoadRegTypeLib) loadRegisteredTypes =
        libraryFunction<decltype(&LoadRegTypeLib)>(oleaut32, "LoadRegTypeLib");
    decltype(&LoadTypeLibEx) loadTypes =
        libraryFunction<decltype(&LoadTypeLibEx)>(oleaut32, "LoadTypeLibEx");
    bool ready = initialize && allocString && standardObject && resultFromObject &&
                 objectFromWindow && loadRegisteredTypes && loadTypes &&
                 SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED));
};

const Libraries &libraries()
{
    static const Libraries loaded;
    return loaded;
}

bool isSelf(const VARIANT &child)
{
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// IAccessible's type information, through which a late-bound client's calls
// reach this program's objects: the registered library, or the system's file.
ITypeInfo *accessibleTypes()
{
    static ITypeInfo *const types = [] {
        const Libraries &l = libraries();
        // {1EA4DBF0-3C3B-11CF-810C-00AA00389B71}, the accessibility type library
        const GUID library{
            0x1ea4dbf0, 0x3c3b, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
        ITypeLib *types = nullptr;
        wchar_t path[MAX_PATH];
        const UINT length = GetSystemDirectoryW(path, MAX_PATH);
        if (FAILED(l.loadRegisteredTypes(library, 1, 1, 0, &types)) && length > 0 &&
            length + 12 < MAX_PATH) {
            lstrcatW(path, L"\\oleacc.dll");
            l.loadTypes(path, REGKIND_NONE, &types);
        }
        ITypeInfo *info = nullptr;
        if (types) {
            types->GetTypeInfoOfGuid(__uuidof(IAccessible), &info);
            types->Release();
        }
        return info; // kept for the life of the process, as the libraries are
    }();
    return types;
}

// One control as screen readers see it: its name from the design and, for a
// switch, its role, position and action, asked of the control at every call.
// Everything else is the system's object's answer. Only IUnknown, IDispatch
// and IAccessible are handed out, all this object's own.
class ControlObject final : public IAccessible
{
public:
    ControlObject(std::shared_ptr<const HWND> alive, IAccessible *standard, std::wstring name,
                  bool isSwitch, std::shared_ptr<const std::wstring> description,
                  std::shared_ptr<const HWND> field, bool withFrequency,
                  std::shared_ptr<const bool> belowBand)
        : m_alive(std::move(alive)), m_standard(standard), m_name(std::move(name)),
          m_isSwitch(isSwitch), m_description(std::move(description)), m_field(std::move(field)),
          m_withFrequency(withFrequency), m_belowBand(std::move(belowBand))
    {
    }
    ControlObject(const ControlObject &) = delete;
    ControlObject &operator=(const ControlObject &) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void **object) override
    {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        if (id != __uuidof(IUnknown) && id != __uuidof(IDispatch) && id != __uuidof(IAccessible))
            return E_NOINTERFACE;
        *object = static_cast<IAccessible *>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&m_references); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = InterlockedDecrement(&m_references);
        if (left == 0) {
            m_standard->Release();
            delete this;
        }
        return left;
    }

    // IDispatch: through IAccessible's type information onto this object, so
    // that a late-bound client hears what an early-bound one does.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT *count) override
    {
        if (!count)
            return E_POINTER;
        *count = accessibleTypes() ? 1 : 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo **info) override
    {
        if (!info)
            return E_POINTER;
        *info = nullptr;
        if (index != 0)
            return DISP_E_BADINDEX;
        if (!accessibleTypes())
            return E_NOTIMPL;
        *info = accessibleTypes();
        (*info)->AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR *names, UINT count, LCID,
                                            DISPID *ids) override
    {
        return accessibleTypes() ? accessibleTypes()->GetIDsOfNames(names, count, ids) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD flags,
                                     DISPPARAMS *parameters, VARIANT *result, EXCEPINFO *exception,
                                     UINT *badArgument) override
    {
        if (!accessibleTypes())
            return E_NOTIMPL;
        return accessibleTypes()->Invoke(static_cast<IAccessible *>(this), member, flags,
                                         parameters, result, exception, badArgument);
    }

    // IAccessible: what the design adds for the control itself
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR *name) override
    {
        if (!isSelf(child) || m_name.empty())
            return m_standard->get_accName(child, name);
        return text(m_name.c_str(), name);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR *description) override
    {
        if (!isSelf(child) || (!m_withFrequency && m_description->empty()))
            return m_standard->get_accDescription(child, description);
        if (!m_withFrequency)
            return text(m_description->c_str(), description);
        // After a flip the switch's description changes: what screen readers
        // speak of the focused switch, so the new frequency is heard in place.
        bool on = false;
        if (const HRESULT live = m_isSwitch ? position(on) : S_OK; FAILED(live))
            return live;
        try {
            std::wstring shown;
            if (const HWND field = *m_field) {
                shown.resize(std::size_t(GetWindowTextLengthW(field)) + 1);
                shown.resize(std::size_t(GetWindowTextW(field, shown.data(), int(shown.size()))));
            }
            const std::optional<SwitchPosition> position =
                m_isSwitch ? std::optional(on ? SwitchPosition::On : SwitchPosition::Off)
                           : std::nullopt;
            const std::string said =
                Design::spokenDescription(position, narrow(shown), *m_belowBand);
            return text(widen(said).c_str(), description);
        } catch (const std::bad_alloc &) {
            return E_OUTOFMEMORY;
        }
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT *role) override
    {
        if (!isSelf(child) || !m_isSwitch)
            return m_standard->get_accRole(child, role);
        if (!role)
            return E_POINTER;
        if (!*m_alive)
            return RPC_E_DISCONNECTED;
        role->vt = VT_I4;
        role->lVal = ROLE_SYSTEM_CHECKBUTTON;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT *state) override
    {
        const HRESULT result = m_standard->get_accState(child, state);
        if (FAILED(result) || !isSelf(child) || !m_isSwitch || state->vt != VT_I4)
            return result;
        bool on = false;
        if (const HRESULT live = position(on); FAILED(live))
            return live;
        state->lVal = (state->lVal & ~STATE_SYSTEM_CHECKED) | (on ? STATE_SYSTEM_CHECKED : 0) |
                      STATE_SYSTEM_FOCUSABLE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR *action) override
    {
        return byPosition(child, action, "Uncheck", "Check", &IAccessible::get_accDefaultAction);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        if (!isSelf(child) || !m_isSwitch)
            return m_standard->accDoDefaultAction(child);
        // A click by another road, run after this call has returned.
        const HWND control = *m_alive;
        return control && PostMessageW(control, BM_CLICK, 0, 0) ? S_OK : RPC_E_DISCONNECTED;
    }

    // IAccessible: the system's object's answers
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch **parent) override
    {
        return m_standard->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG *count) override
    {
        return m_standard->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch **object) override
    {
        const HRESULT standard = m_standard->get_accChild(child, object);
        if ((standard == S_OK && *object) || !object || child.vt != VT_I4 || child.lVal < 1)
            return standard;
        // A window inside this one (the housing holds switch 1): its own
        // object, as the system's answers for the children of the window.
        const HWND control = *m_alive;
        if (!control)
            return RPC_E_DISCONNECTED;
        HWND inner = GetWindow(control, GW_CHILD);
        for (LONG index = 1; inner && index < child.lVal; ++index)
            inner = GetWindow(inner, GW_HWNDNEXT);
        if (!inner)
            return E_INVALIDARG;
        return libraries().objectFromWindow(inner, DWORD(OBJID_WINDOW), __uuidof(IDispatch),
                                            reinterpret_cast<void **>(object));
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR *value) override
    {
        return m_standard->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR *help) override
    {
        return m_standard->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR *file, VARIANT child, LONG *topic) override
    {
        return m_standard->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR *shortcut) override
    {
        return m_standard->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT *focus) override
    {
        return m_standard->get_accFocus(focus);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT *selection) override
    {
        return m_standard->get_accSelection(selection);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override
    {
        return m_standard->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG *left, LONG *top, LONG *width, LONG *height,
                                          VARIANT child) override
    {
        return m_standard->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT *end) override
    {
        return m_standard->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG left, LONG top, VARIANT *child) override
    {
        return m_standard->accHitTest(left, top, child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override
    {
        return m_standard->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override
    {
        return m_standard->put_accValue(child, value);
    }

private:
    ~ControlObject() = default;

    // A switch's own text for the position it stands in now; the system
    // object's answer for every other control and child.
    HRESULT byPosition(VARIANT child, BSTR *out, const char *on, const char *off,
                       HRESULT (STDMETHODCALLTYPE IAccessible::*standard)(VARIANT, BSTR *))
    {
        if (!isSelf(child) || !m_isSwitch)
            return (m_standard->*standard)(child, out);
        bool isOn = false;
        const HRESULT live = position(isOn);
        return FAILED(live) ? live : text(widen(isOn ? on : off).c_str(), out);
    }

    // The switch's position as the control has it now.
    HRESULT position(bool &on) const
    {
        const HWND control = *m_alive;
        if (!control)
            return RPC_E_DISCONNECTED;
        on = SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
        return S_OK;
    }
    HRESULT text(const wchar_t *value, BSTR *out) const
    {
        if (!out)
            return E_POINTER;
        if (!*m_alive)
            return RPC_E_DISCONNECTED;
        *out = libraries().allocString(value);
        return *out ? S_OK : E_OUTOFMEMORY;
    }

    // The control while it lives, null once it is gone: the window clears it,
    // so a kept object never acts on a handle that now names another window.
    const std::shared_ptr<const HWND> m_alive;
    IAccessible *m_standard;
    const std::wstring m_name;
    const bool m_isSwitch;
    const std::shared_ptr<const std::wstring> m_description;
    const std::shared_ptr<const HWND> m_field;
    const bool m_withFrequency;
    const std::shared_ptr<const bool> m_belowBand;
    LONG m_references = 1;
};

} // namespace

void ScreenReaderNotes::name(HWND control, const std::string &name, bool isSwitch,
                             bool withFrequency)
{
    m_notes.push_back({std::make_shared<HWND>(control), widen(name), isSwitch, withFrequency,
                       std::make_shared<std::wstring>()});
}

void ScreenReaderNotes::describeSwitchesWith(HWND field)
{
    *m_field = field;
}

void ScreenReaderNotes::setBelowBand(bool below)
{
    *m_belowBand = below;
}

void ScreenReaderNotes::describe(HWND control, const std::string &description)
{
    for (Note &note : m_notes)
        if (*note.control == control && *note.description != widen(description)) {
            *note.description = widen(description);
            NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, control, OBJID_CLIENT, CHILDID_SELF);
        }
}

void ScreenReaderNotes::forget(HWND control) noexcept
{
    for (Note &note : m_notes)
        if (*note.control == control)
            *note.control = nullptr;
    if (*m_field == control)
        *m_field = nullptr;
}

ScreenReaderNotes::~ScreenReaderNotes()
{
    *m_field = nullptr;
    for (Note &note : m_notes)
        *note.control = nullptr;
}

LRESULT ScreenReaderNotes::answer(HWND control, WPARAM wParam, LPARAM lParam) const
{
    if (DWORD(lParam) != DWORD(OBJID_CLIENT))
        return 0;
    const Note *note = nullptr;
    for (const Note &each : m_notes)
        if (*each.control == control)
            note = &each;
    if (!note || !libraries().ready)
        return 0;
    IAccessible *standard = nullptr;
    if (FAILED(libraries().standardObject(control, OBJID_CLIENT, __uuidof(IAccessible),
                                          reinterpret_cast<void **>(&standard))))
        return 0;
    auto *object = new (std::nothrow)
        ControlObject(note->control, standard, note->name, note->isSwitch, note->description,
                      m_field, note->withFrequency, m_belowBand);
    if (!object) {
        standard->Release();
        return 0;
    }
    const LRESULT result = libraries().resultFromObject(__uuidof(IAccessible), wParam, object);
    object->Release(); // the result holds its own reference
    return result > 0 ? result : 0;
}
