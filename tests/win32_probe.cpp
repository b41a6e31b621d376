// Acts on the Windows program from outside, as a screen reader or Windows does:
//   win32_probe hear CODE TEXT BELOW WORDS  reads the window through MSAA and
//       checks each switch's name, role, state and description against a switch
//       code, the field's name, role and value, that it is described WORDS if
//       BELOW is 1 and otherwise not, and the housing's name; walks the tree
//       from the window down as object navigation does, which must reach every
//       one of them; and reads switch 1's state through IDispatch::Invoke
//   win32_probe move DPI  moves the window to a monitor of another scale as
//       Windows does: WM_GETDPISCALEDSIZE, then WM_DPICHANGED with the
//       rectangle that follows from the answer
//   win32_probe press K  performs switch K's default action ("Check" or
//       "Uncheck") through its accessible object, which must then answer the
//       new position, with the focus on the switch, and tell one change of its
//       description; checks COM identity
//   win32_probe focus|blur  waits until the frequency field has (has not) the keyboard focus
//   win32_probe keep K  keeps switch K's accessible object across a click of
//       the mouse, after which it must answer the new position
//   win32_probe churn N DPI  N rounds, from a window at DPI, of what replaces the window's fonts,
//   brushes
//       and pictures: a move to a monitor of another scale and back every
//       other round, a system colour change, four clicks on switch 1; prints
//       the program's GDI and USER object counts before and after
//   win32_probe tips N  checks that the window owns a tooltip control with N
//       tools (made once the pointer has been over the window)
//   win32_probe report  prints every text of the report box, as a screen reader reads it
//   win32_probe shortcut LNK  prints a shortcut's target, working folder and
//       icon, one to a line, as the shell reads them
//   win32_probe open LNK  starts a shortcut's target in its working folder, as
//       the shell does, and ends with the target's status
// Status 0 when all holds.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <oleacc.h>
#include <shlobj.h>
#include <string>
#include <string_view>
#include <vector>
#include <windows.h>
#include <winternl.h>

namespace {

int failures = 0;

// A line in UTF-8, whatever the C library's locale: a folder may be anyone's.
void say(const std::wstring &line)
{
    std::string bytes(std::size_t(WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, nullptr, 0,
                                                      nullptr, nullptr)),
                      '\0');
    WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, bytes.data(), int(bytes.size()), nullptr,
                        nullptr);
    std::printf("%s\n", bytes.c_str());
}

void expect(bool condition, const std::wstring &what)
{
    if (!condition) {
        say(what);
        ++failures;
    }
}

VARIANT self()
{
    VARIANT child{};
    child.vt = VT_I4;
    child.lVal = CHILDID_SELF;
    return child;
}

std::wstring text(IAccessible *object,
                  HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR *))
{
    BSTR value = nullptr;
    const bool got = SUCCEEDED((object->*get)(self(), &value)) && value;
    const std::wstring result = got ? value : L"";
    SysFreeString(value);
    return result;
}

long number(IAccessible *object, HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT *))
{
    VARIANT value{};
    return SUCCEEDED((object->*get)(self(), &value)) && value.vt == VT_I4 ? value.lVal : -1;
}

BOOL CALLBACK noteChild(HWND child, LPARAM children)
{
    reinterpret_cast<std::vector<HWND> *>(children)->push_back(child);
    return TRUE;
}

// Moves the window to a monitor of `dpi` as Windows does: it asks the window
// for its size there (WM_GETDPISCALEDSIZE), scaling the frame only when the
// window does not answer, and suggests that rectangle with WM_DPICHANGED.
// The window reads both from its own memory, since no one carries a pointer
// across processes.
int move(HWND window, int dpi)
{
    RECT suggested;
    GetWindowRect(window, &suggested);
    const int old = int(GetDpiForWindow(window));
    SIZE size{MulDiv(suggested.right - suggested.left, dpi, old),
              MulDiv(suggested.bottom - suggested.top, dpi, old)};
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    HANDLE target =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, process);
    void *there = target ? VirtualAllocEx(target, nullptr, sizeof suggested,
                                          MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)
                         : nullptr;
    SIZE asked{};
    if (!there || !WriteProcessMemory(target, there, &asked, sizeof asked, nullptr))
        return std::printf("cannot write into the program\n"), 1;
    if (SendMessageW(window, WM_GETDPISCALEDSIZE, dpi, reinterpret_cast<LPARAM>(there)) &&
        ReadProcessMemory(target, there, &asked, sizeof asked, nullptr))
        size = asked;
    suggested.right = suggested.left + size.cx;
    suggested.bottom = suggested.top + size.cy;
    if (!WriteProcessMemory(target, there, &suggested, sizeof suggested, nullptr))
        return std::printf("cannot write into the program\n"), 1;
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(there));
    VirtualFreeEx(target, there, 0, MEM_RELEASE);
    CloseHandle(target);
    return 0;
}

// The window of the child whose accessible name (window text) is `name`.
HWND childNamed(HWND window, const wchar_t *name)
{
    std::vector<HWND> children;
    EnumChildWindows(window, noteChild, reinterpret_cast<LPARAM>(&children));
    for (HWND child : children) {
        wchar_t text[64] = L"";
        GetWindowTextW(child, text, 64);
        if (std::wstring_view(text) == name)
            return child;
    }
    return nullptr;
}

IAccessible *objectOf(HWND control)
{
    IAccessible *object = nullptr;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (!control ||
        FAILED(AccessibleObjectFromWindow(control, DWORD(OBJID_CLIENT), __uuidof(IAccessible),
                                          reinterpret_cast<void **>(&object))))
        return nullptr;
    return object;
}

bool checked(IAccessible *object)
{
    return number(object, &IAccessible::get_accState) & STATE_SYSTEM_CHECKED;
}

// COM's identity: IUnknown is the same whichever interface it is asked
// from, and no interface of another object is handed out.
void expectIdentity(IAccessible *object)
{
    IUnknown *fromObject = nullptr, *fromDispatch = nullptr;
    IDispatch *dispatch = nullptr;
    void *children = nullptr;
    object->QueryInterface(__uuidof(IUnknown), reinterpret_cast<void **>(&fromObject));
    if (SUCCEEDED(
            object->QueryInterface(__uuidof(IDispatch), reinterpret_cast<void **>(&dispatch))))
        dispatch->QueryInterface(__uuidof(IUnknown), reinterpret_cast<void **>(&fromDispatch));
    expect(fromObject && fromObject == fromDispatch, L"IUnknown differs by the way asked");
    expect(object->QueryInterface(__uuidof(IEnumVARIANT), &children) == E_NOINTERFACE,
           L"hands out the system object's IEnumVARIANT");
    for (IUnknown *each : {fromObject, fromDispatch, static_cast<IUnknown *>(dispatch)})
        if (each)
            each->Release();
}

void click(HWND control)
{
    SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

// The controls whose description changed, as a screen reader hears of it.
std::vector<HWND> described;

int press(HWND window, int k, bool byMouse)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    const WINEVENTPROC note = [](HWINEVENTHOOK, DWORD, HWND control, LONG object, LONG child, DWORD,
                                 DWORD) {
        if (object == OBJID_CLIENT && child == CHILDID_SELF)
            described.push_back(control);
    };
    const HWINEVENTHOOK hook =
        SetWinEventHook(EVENT_OBJECT_DESCRIPTIONCHANGE, EVENT_OBJECT_DESCRIPTIONCHANGE, nullptr,
                        note, process, 0, WINEVENT_OUTOFCONTEXT);
    HWND lever = childNamed(window, (L"Switch " + std::to_wstring(k)).c_str());
    IAccessible *object = objectOf(lever);
    if (!object)
        return std::printf("no accessible object for switch %d\n", k), 1;
    const bool before = checked(object);
    if (byMouse) {
        click(lever);
    } else {
        expectIdentity(object);
        const std::wstring action = text(object, &IAccessible::get_accDefaultAction);
        expect(action == (before ? L"Uncheck" : L"Check"), L"default action " + action);
        VARIANT child = self();
        expect(SUCCEEDED(object->accDoDefaultAction(child)), L"the default action failed");
    }
    const auto told = [&] { return std::count(described.begin(), described.end(), lever); };
    // At most 3 s, handling what comes (the hook's events among it), once more when all is there.
    for (int tries = 0, done = 0; tries < 60 && done < 2; ++tries) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);)
            DispatchMessageW(&message);
        done += checked(object) != before && (byMouse || told());
    }
    expect(checked(object) != before, L"the object kept still answers the old position");
    // What it is described with then, the rows hear.
    expect(byMouse || (hook && told() == 1),
           L"the switch's description changed " + std::to_wstring(told()) + L" times, not once");
    UnhookWinEvent(hook);
    GUITHREADINFO focus{};
    focus.cbSize = sizeof focus;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &focus);
    expect(focus.hwndFocus == lever, L"the focus is not on the switch");
    object->Release();
    return failures ? 1 : 0;
}

// The GDI objects a process holds. Wine counts none (GetGuiResources is a
// stub there): then the live entries of the process's GDI handle table, which
// its PEB points to as Windows' does, each entry with a type while in use.
unsigned long gdiObjects(HANDLE target)
{
    if (const DWORD counted = GetGuiResources(target, GR_GDIOBJECTS))
        return counted;
    struct Entry {
        std::uint64_t object;
        std::uint32_t owner;
        std::uint16_t unique;
        std::uint8_t type, flags;
        std::uint64_t user;
    };
    constexpr std::size_t Entries = 0x10000, TableInPeb = 0xF8;
    PROCESS_BASIC_INFORMATION basic{};
    void *table = nullptr;
    std::vector<Entry> entries(Entries);
    if (NtQueryInformationProcess(target, ProcessBasicInformation, &basic, sizeof basic, nullptr) !=
            0 ||
        !ReadProcessMemory(target, reinterpret_cast<char *>(basic.PebBaseAddress) + TableInPeb,
                           &table, sizeof table, nullptr) ||
        !table ||
        !ReadProcessMemory(target, table, entries.data(), entries.size() * sizeof(Entry), nullptr))
        return 0;
    return static_cast<unsigned long>(
        std::count_if(entries.begin(), entries.end(), [](const Entry &e) { return e.type != 0; }));
}

int churn(HWND window, int rounds, int dpi)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    HANDLE target = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, process);
    const auto counts = [&](const char *when) {
        // No USER objects: Wine, where this runs, counts none.
        std::printf("%s: %lu GDI objects\n", when, gdiObjects(target));
    };
    counts("before");
    HWND lever = childNamed(window, L"Switch 1");
    for (int round = 0; round < rounds; ++round) {
        if (move(window, round % 2 ? dpi : dpi * 3 / 2) != 0)
            return 1;
        SendMessageW(window, WM_SYSCOLORCHANGE, 0, 0);
        for (int clicks = 0; clicks < 4 && lever; ++clicks)
            click(lever);
    }
    if (rounds % 2 && move(window, dpi) != 0) // back to where it started
        return 1;
    counts("after");
    CloseHandle(target);
    return lever ? 0 : (std::printf("no switch 1\n"), 1);
}

// Every name reachable from `object` down, as a screen reader's object
// navigation walks the tree.

void walk(IAccessible *object, HWND window, std::vector<std::wstring> &names, int depth = 0)
{
    long count = 0;
    if (depth > 12 || FAILED(object->get_accChildCount(&count)) || count <= 0)
        return;
    std::vector<VARIANT> children(static_cast<std::size_t>(count));
    long got = 0;
    if (FAILED(AccessibleChildren(object, 0, count, children.data(), &got)))
        return;
    for (long i = 0; i < got; ++i) {
        VARIANT &child = children[std::size_t(i)];
        IAccessible *inner = nullptr;
        if (child.vt == VT_DISPATCH && child.pdispVal &&
            SUCCEEDED(child.pdispVal->QueryInterface(__uuidof(IAccessible),
                                                     reinterpret_cast<void **>(&inner)))) {
            // A window's object stands for its client area, as screen readers take it.
            // (Wine's window objects answer neither role nor children).
            HWND hwnd = nullptr;
            if (SUCCEEDED(WindowFromAccessibleObject(inner, &hwnd)) && hwnd && hwnd != window)
                if (IAccessible *client = objectOf(hwnd)) {
                    inner->Release();
                    inner = client;
                }
            names.push_back(text(inner, &IAccessible::get_accName));
            walk(inner, hwnd ? hwnd : window, names, depth + 1);
            inner->Release();
        } else if (child.vt == VT_I4) {
            BSTR name = nullptr;
            if (SUCCEEDED(object->get_accName(child, &name)) && name)
                names.push_back(name);
            SysFreeString(name);
        }
        VariantClear(&child);
    }
}

// A switch's state as a late-bound client asks for it.
long stateThroughDispatch(IAccessible *object)
{
    // IAccessible is an IDispatch: its Invoke is the late-bound road.
    VARIANT child = self(), state{};
    DISPPARAMS parameters{&child, nullptr, 1, 0};
    const HRESULT result =
        object->Invoke(DISPID_ACC_STATE, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET,
                       &parameters, &state, nullptr, nullptr);
    return SUCCEEDED(result) && state.vt == VT_I4 ? state.lVal : -1;
}

int hear(HWND window, int code, const std::wstring &fieldText, bool below,
         const std::wstring &words)
{
    // From the window's object down, or from its client area where Wine's
    // window object counts no children.
    std::vector<std::wstring> names;
    for (const LONG start : {OBJID_WINDOW, OBJID_CLIENT}) {
        IAccessible *top = nullptr;
        if (names.empty() &&
            SUCCEEDED(AccessibleObjectFromWindow(window, DWORD(start), __uuidof(IAccessible),
                                                 reinterpret_cast<void **>(&top)))) {
            walk(top, window, names);
            top->Release();
        }
    }
    std::vector<std::wstring> wanted = {L"Frequency in MHz", L"DIP switch"};
    for (int k = 1; k <= 8; ++k)
        wanted.push_back(L"Switch " + std::to_wstring(k));
    for (const std::wstring &name : wanted)
        expect(std::find(names.begin(), names.end(), name) != names.end(),
               name + L" is not reached by a walk from the window down");

    // The frequency in the field, in its unit, and the band's words when below it.
    const auto withFrequency = [&](const std::wstring &description) {
        return description.find(fieldText + L" MHz") != std::wstring::npos &&
               (description.find(words) != std::wstring::npos) == below;
    };
    const auto heard = [&](HWND control, const std::wstring &name, long role) {
        IAccessible *object = objectOf(control);
        const bool as = object && text(object, &IAccessible::get_accName) == name &&
                        number(object, &IAccessible::get_accRole) == role;
        expect(as, name + L" is not heard with its name and role");
        return object;
    };
    for (int k = 1; k <= 8; ++k) {
        const std::wstring name = L"Switch " + std::to_wstring(k);
        const bool on = !((code >> (k - 1)) & 1);
        if (IAccessible *lever =
                heard(childNamed(window, name.c_str()), name, ROLE_SYSTEM_CHECKBUTTON)) {
            const std::wstring description = text(lever, &IAccessible::get_accDescription);
            expect(checked(lever) == on && description.starts_with(on ? L"ON, " : L"OFF, ") &&
                       withFrequency(description),
                   name + L" is heard \"" + description + L"\", not " + (on ? L"ON" : L"OFF") +
                       L" and the frequency");
            if (k == 1)
                expect(stateThroughDispatch(lever) != -1 &&
                           bool(stateThroughDispatch(lever) & STATE_SYSTEM_CHECKED) == on,
                       name + L" is not heard " + (on ? L"ON" : L"OFF") + L" through IDispatch");
            lever->Release();
        }
    }
    if (IAccessible *field = heard(FindWindowExW(window, nullptr, L"Edit", nullptr),
                                   L"Frequency in MHz", ROLE_SYSTEM_TEXT)) {
        expect(text(field, &IAccessible::get_accValue) == fieldText, L"the field's value");
        expect((text(field, &IAccessible::get_accDescription) == words) == below,
               L"the field is described \"" + text(field, &IAccessible::get_accDescription) +
                   L"\"");
        field->Release();
    }
    if (IAccessible *housing =
            heard(childNamed(window, L"DIP switch"), L"DIP switch", ROLE_SYSTEM_CLIENT)) {
        expect(withFrequency(text(housing, &IAccessible::get_accDescription)),
               L"the housing is not heard with the frequency");
        housing->Release();
    }
    return failures ? 1 : 0;
}

// commctrl.h's names, which it cannot give before windows.h is in.
constexpr std::wstring_view ToolTipsClass = L"tooltips_class32";
constexpr UINT GetToolCount = WM_USER + 13; // TTM_GETTOOLCOUNT

int toolTips(HWND window, LRESULT expected)
{
    LRESULT tools = -1;
    for (int tries = 0; tools != expected && tries < 40; ++tries, Sleep(50)) {
        std::vector<HWND> popups;
        EnumWindows(noteChild, reinterpret_cast<LPARAM>(&popups));
        for (HWND popup : popups) {
            wchar_t name[64] = L"";
            GetClassNameW(popup, name, 64);
            if (GetWindow(popup, GW_OWNER) == window &&
                std::wstring_view(name).ends_with(ToolTipsClass))
                tools = SendMessageW(popup, GetToolCount, 0, 0);
        }
    }
    return tools == expected ? 0 : (std::printf("tools: %d\n", int(tools)), 1);
}

// "shortcut" prints the target, working folder and icon as the shell reads
// them; "open" starts the target in the working folder, as the shell does.
int shortcut(const std::string &verb, const std::wstring &file)
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IShellLinkW *link = nullptr;
    IPersistFile *stored = nullptr;
    wchar_t target[MAX_PATH] = L"", folder[MAX_PATH] = L"", icon[MAX_PATH] = L"";
    int iconIndex = -1;
    const bool read =
        SUCCEEDED(CoCreateInstance(__uuidof(ShellLink), nullptr, CLSCTX_INPROC_SERVER,
                                   __uuidof(IShellLinkW), reinterpret_cast<void **>(&link))) &&
        SUCCEEDED(
            link->QueryInterface(__uuidof(IPersistFile), reinterpret_cast<void **>(&stored))) &&
        SUCCEEDED(stored->Load(file.c_str(), STGM_READ)) &&
        SUCCEEDED(link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH)) &&
        SUCCEEDED(link->GetWorkingDirectory(folder, MAX_PATH)) &&
        SUCCEEDED(link->GetIconLocation(icon, MAX_PATH, &iconIndex));
    if (!read)
        return std::printf("cannot read the shortcut\n"), 1;
    if (verb == "shortcut")
        return std::printf("%ls\n%ls\n%ls,%d\n", target, folder, icon, iconIndex), 0;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    std::wstring commandLine = L"\"" + std::wstring(target) + L"\"";
    if (!CreateProcessW(target, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder,
                        &startup, &started))
        return std::printf("cannot start the shortcut's target\n"), 1;
    WaitForSingleObject(started.hProcess, INFINITE);
    DWORD status = 1;
    GetExitCodeProcess(started.hProcess, &status);
    return int(status);
}

} // namespace

// The window's thread has put its keyboard focus into the field (or taken it
// away): keys sent now reach it, which a window manager's "active" does not
// yet say; a click that moved the focus away has been handled.
int fieldFocused(HWND window, bool wanted)
{
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    for (int tries = 0; tries < 100; ++tries, Sleep(50))
        if (GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &gui) &&
            (gui.hwndFocus == FindWindowExW(window, nullptr, L"Edit", nullptr)) == wanted)
            return 0;
    return std::printf("the field does not %s the focus\n", wanted ? "get" : "lose"), 1;
}

// Prints every text of the report box, as a screen reader reads a dialog:
// each control's accessible name.
int report()
{
    HWND box = nullptr;
    for (int tries = 0; !box && tries < 100; ++tries, Sleep(50))
        box = FindWindowW(L"#32770", L"Corvex_Settings");
    std::vector<HWND> children;
    if (box)
        EnumChildWindows(box, noteChild, reinterpret_cast<LPARAM>(&children));
    for (HWND child : children) {
        IAccessible *object = nullptr;
        if (SUCCEEDED(AccessibleObjectFromWindow(child, OBJID_CLIENT, __uuidof(IAccessible),
                                                 reinterpret_cast<void **>(&object)))) {
            say(text(object, &IAccessible::get_accName));
            object->Release();
        }
    }
    return children.empty() ? (std::printf("no report box\n"), 1) : 0;
}

int main(int argc, char **argv)
{
    const std::string verb = argc > 1 ? argv[1] : "";
    // Texts and paths as they were given, beyond ASCII too.
    int wideCount = 0;
    wchar_t **wide = CommandLineToArgvW(GetCommandLineW(), &wideCount);
    if (!wide || wideCount != argc)
        return std::printf("cannot read the command line\n"), 2;
    if ((verb == "shortcut" || verb == "open") && argc == 3)
        return shortcut(verb, wide[2]);
    if (verb == "report" && argc == 2)
        return report();
    if (verb == "load" && argc == 3) { // a library by its full path, as a planted one would be
        HMODULE library = LoadLibraryExW(wide[2], nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
        return library ? (FreeLibrary(library), 0) : (std::printf("not loaded\n"), 1);
    }
    const bool known =
        (verb == "hear" && argc == 6) || (verb == "churn" && argc == 4) ||
        ((verb == "focus" || verb == "blur") && argc == 2) ||
        ((verb == "move" || verb == "tips" || verb == "press" || verb == "keep") && argc == 3);
    if (!known)
        return std::printf("usage: win32_probe hear CODE TEXT BELOW WORDS | move DPI | tips N | "
                           "churn N DPI | press|keep K | focus|blur | report | shortcut|open LNK | "
                           "load DLL\n"),
               2;
    HWND window = nullptr;
    for (int tries = 0; !window && tries < 100; ++tries, Sleep(50))
        window = FindWindowW(L"CorvexSettings", L"Settings for Corvex:");
    if (!window)
        return std::printf("no settings window\n"), 1;
    if (verb == "focus" || verb == "blur")
        return fieldFocused(window, verb == "focus");
    if (verb == "move")
        return move(window, std::atoi(argv[2]));
    if (verb == "press" || verb == "keep")
        return press(window, std::atoi(argv[2]), verb == "keep");
    if (verb == "churn")
        return churn(window, std::atoi(argv[2]), std::atoi(argv[3]));
    if (verb == "tips")
        return toolTips(window, std::atoi(argv[2]));
    return hear(window, std::atoi(argv[2]), wide[3], argv[4] == std::string("1"), wide[5]);
}
