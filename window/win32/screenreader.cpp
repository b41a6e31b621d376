#include "screenreader.h"

#include "libraryfunction.h"
#include "widetext.h"

#include <oleacc.h>

struct ScreenReaderNotes::Libraries {
    HMODULE ole32 = systemLibrary(L"ole32.dll");
    HMODULE oleaut32 = systemLibrary(L"oleaut32.dll");
    HMODULE oleacc = systemLibrary(L"oleacc.dll");
    bool comStarted = false;

    decltype(&CoInitializeEx) initialize =
        libraryFunction<decltype(&CoInitializeEx)>(ole32, "CoInitializeEx");
    decltype(&CoUninitialize) uninitialize =
        libraryFunction<decltype(&CoUninitialize)>(ole32, "CoUninitialize");
    decltype(&SysAllocString) allocString =
        libraryFunction<decltype(&SysAllocString)>(oleaut32, "SysAllocString");
    decltype(&CreateStdAccessibleObject) standardObject =
        libraryFunction<decltype(&CreateStdAccessibleObject)>(oleacc, "CreateStdAccessibleObject");
    decltype(&LresultFromObject) resultFromObject =
        libraryFunction<decltype(&LresultFromObject)>(oleacc, "LresultFromObject");

    bool ready() const { return initialize && allocString && standardObject && resultFromObject; }
    ~Libraries()
    {
        if (comStarted && uninitialize)
            uninitialize();
        for (HMODULE library : {oleacc, oleaut32, ole32})
            if (library)
                FreeLibrary(library);
    }
};

namespace {

bool isSelf(const VARIANT &child)
{
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// The system's object for a control, with the noted facts laid over it.
class NotedObject final : public IAccessible
{
public:
    NotedObject(IAccessible *standard, const ScreenReaderNotes::Note &note,
                decltype(&SysAllocString) allocString)
        : m_standard(standard), m_note(note), m_allocString(allocString)
    {
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void **object) override
    {
        if (!object)
            return E_POINTER;
        if (id == __uuidof(IUnknown) || id == __uuidof(IDispatch) || id == __uuidof(IAccessible)) {
            *object = static_cast<IAccessible *>(this);
            AddRef();
            return S_OK;
        }
        return m_standard->QueryInterface(id, object); // IOleWindow, IEnumVARIANT
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --m_references;
        if (left == 0) {
            m_standard->Release();
            delete this;
        }
        return left;
    }

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT *count) override
    {
        return m_standard->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo **info) override
    {
        return m_standard->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID id, LPOLESTR *names, UINT count, LCID locale,
                                            DISPID *ids) override
    {
        return m_standard->GetIDsOfNames(id, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID id, LCID locale, WORD flags,
                                     DISPPARAMS *parameters, VARIANT *result, EXCEPINFO *exception,
                                     UINT *badArgument) override
    {
        return m_standard->Invoke(member, id, locale, flags, parameters, result, exception,
                                  badArgument);
    }

    // IAccessible: the noted facts for the control itself, the rest as the system has it
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR *name) override
    {
        if (isSelf(child) && !m_note.name.empty())
            return text(m_note.name, name);
        return m_standard->get_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR *description) override
    {
        if (isSelf(child) && m_note.on >= 0)
            return text(m_note.on ? L"ON" : L"OFF", description);
        return m_standard->get_accDescription(child, description);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT *role) override
    {
        if (isSelf(child) && m_note.on >= 0 && role)
            return number(ROLE_SYSTEM_CHECKBUTTON, role);
        return m_standard->get_accRole(child, role);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT *state) override
    {
        const HRESULT result = m_standard->get_accState(child, state);
        if (SUCCEEDED(result) && isSelf(child) && m_note.on >= 0 && state->vt == VT_I4)
            state->lVal = (state->lVal & ~STATE_SYSTEM_CHECKED) |
                          (m_note.on ? STATE_SYSTEM_CHECKED : 0) | STATE_SYSTEM_FOCUSABLE;
        return result;
    }
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
        return m_standard->get_accChild(child, object);
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
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR *action) override
    {
        return m_standard->get_accDefaultAction(child, action);
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
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        return m_standard->accDoDefaultAction(child);
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
    HRESULT text(const std::wstring &value, BSTR *out) const
    {
        if (!out)
            return E_POINTER;
        *out = m_allocString(value.c_str());
        return *out ? S_OK : E_OUTOFMEMORY;
    }
    static HRESULT number(LONG value, VARIANT *out)
    {
        out->vt = VT_I4;
        out->lVal = value;
        return S_OK;
    }

    IAccessible *m_standard;
    const ScreenReaderNotes::Note m_note; // as it was when asked: objects are short-lived
    decltype(&SysAllocString) m_allocString;
    ULONG m_references = 1;
};

} // namespace

ScreenReaderNotes::ScreenReaderNotes() = default;
ScreenReaderNotes::~ScreenReaderNotes() = default;

ScreenReaderNotes::Note &ScreenReaderNotes::noteOf(HWND control)
{
    for (Note &note : m_notes)
        if (note.control == control)
            return note;
    return m_notes.emplace_back(Note{control, L"", -1});
}

void ScreenReaderNotes::name(HWND control, const std::string &name)
{
    noteOf(control).name = widen(name);
}

void ScreenReaderNotes::setSwitch(HWND control, bool on)
{
    Note &note = noteOf(control);
    const bool changed = note.on >= 0 && note.on != int(on);
    note.on = on;
    if (changed) {
        NotifyWinEvent(EVENT_OBJECT_STATECHANGE, control, OBJID_CLIENT, CHILDID_SELF);
        NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, control, OBJID_CLIENT, CHILDID_SELF);
    }
}

LRESULT ScreenReaderNotes::answer(HWND control, WPARAM wParam, LPARAM lParam)
{
    if (DWORD(lParam) != DWORD(OBJID_CLIENT))
        return 0;
    const Note *note = nullptr;
    for (const Note &each : m_notes)
        if (each.control == control)
            note = &each;
    if (!note)
        return 0;
    if (!m_libraries)
        m_libraries = std::make_unique<Libraries>();
    Libraries &libraries = *m_libraries;
    if (!libraries.ready())
        return 0;
    if (!libraries.comStarted)
        libraries.comStarted = SUCCEEDED(libraries.initialize(nullptr, COINIT_APARTMENTTHREADED));
    IAccessible *standard = nullptr;
    if (FAILED(libraries.standardObject(control, OBJID_CLIENT, __uuidof(IAccessible),
                                        reinterpret_cast<void **>(&standard))))
        return 0;
    auto *object = new NotedObject(standard, *note, libraries.allocString);
    const LRESULT result = libraries.resultFromObject(__uuidof(IAccessible), wParam, object);
    object->Release(); // the result holds its own reference
    return result > 0 ? result : 0;
}
