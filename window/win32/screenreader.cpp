#include "screenreader.h"

#include "widetext.h"

// The GUIDs of the annotation service are defined here, not taken from a library.
#include <initguid.h>

#include <oleacc.h>

namespace {

VARIANT numberVariant(LONG value)
{
    VARIANT variant{};
    variant.vt = VT_I4;
    variant.lVal = value;
    return variant;
}

} // namespace

ScreenReaderNotes::~ScreenReaderNotes()
{
    if (m_service) {
        for (const Note &note : m_notes) {
            const MSAAPROPID props[] = {PROPID_ACC_NAME, PROPID_ACC_ROLE, PROPID_ACC_STATE,
                                        PROPID_ACC_DESCRIPTION};
            m_service->ClearHwndProps(note.control, DWORD(OBJID_CLIENT), CHILDID_SELF, props, 4);
        }
        m_service->Release();
        using Uninitialize = void(WINAPI *)();
        if (auto uninitialize = reinterpret_cast<Uninitialize>(
                reinterpret_cast<void *>(GetProcAddress(m_ole32, "CoUninitialize"))))
            uninitialize();
    }
    if (m_ole32)
        FreeLibrary(m_ole32);
}

ScreenReaderNotes::Note &ScreenReaderNotes::noteOf(HWND control)
{
    for (Note &note : m_notes)
        if (note.control == control)
            return note;
    return m_notes.emplace_back(Note{control, L"", -1});
}

void ScreenReaderNotes::name(HWND control, const std::string &name)
{
    Note &note = noteOf(control);
    note.name = widen(name);
    if (m_service)
        apply(note);
}

void ScreenReaderNotes::setSwitch(HWND control, bool on)
{
    Note &note = noteOf(control);
    const bool changed = note.on != int(on);
    note.on = on;
    if (m_service && changed) {
        apply(note);
        NotifyWinEvent(EVENT_OBJECT_STATECHANGE, control, OBJID_CLIENT, CHILDID_SELF);
        NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, control, OBJID_CLIENT, CHILDID_SELF);
    }
}

void ScreenReaderNotes::start()
{
    // Loaded here rather than imported: no start of the program waits for it.
    m_ole32 = LoadLibraryW(L"ole32.dll");
    using Initialize = HRESULT(WINAPI *)(void *, DWORD);
    using Create = HRESULT(WINAPI *)(REFCLSID, IUnknown *, DWORD, REFIID, void **);
    const auto initialize = reinterpret_cast<Initialize>(
        reinterpret_cast<void *>(m_ole32 ? GetProcAddress(m_ole32, "CoInitializeEx") : nullptr));
    const auto create = reinterpret_cast<Create>(
        reinterpret_cast<void *>(m_ole32 ? GetProcAddress(m_ole32, "CoCreateInstance") : nullptr));
    if (!initialize || !create || FAILED(initialize(nullptr, COINIT_APARTMENTTHREADED)))
        return;
    void *service = nullptr;
    if (FAILED(create(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                      &service)))
        return;
    m_service = static_cast<IAccPropServices *>(service);
    for (const Note &note : m_notes)
        apply(note);
}

void ScreenReaderNotes::apply(const Note &note)
{
    const DWORD client = DWORD(OBJID_CLIENT);
    if (!note.name.empty())
        m_service->SetHwndPropStr(note.control, client, CHILDID_SELF, PROPID_ACC_NAME,
                                  note.name.c_str());
    if (note.on < 0)
        return;
    m_service->SetHwndProp(note.control, client, CHILDID_SELF, PROPID_ACC_ROLE,
                           numberVariant(ROLE_SYSTEM_CHECKBUTTON));
    m_service->SetHwndProp(note.control, client, CHILDID_SELF, PROPID_ACC_STATE,
                           numberVariant(STATE_SYSTEM_FOCUSABLE |
                                         (note.on ? STATE_SYSTEM_CHECKED : 0)));
    m_service->SetHwndPropStr(note.control, client, CHILDID_SELF, PROPID_ACC_DESCRIPTION,
                              note.on ? L"ON" : L"OFF");
}
