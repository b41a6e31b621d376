// What a screen reader hears of the Windows program, through MSAA: finds the
// settings window and checks each switch's name, role, state and
// description against a switch code, the field's name, role and value, and
// the housing's name. Usage: msaa_probe CODE FIELD_TEXT; status 0 when all hold.
#include <cstdio>
#include <cstdlib>
#include <oleacc.h>
#include <string>
#include <vector>
#include <windows.h>

namespace {

int failures = 0;

void expect(bool condition, const std::wstring &what)
{
    if (!condition) {
        std::printf("%ls\n", what.c_str());
        ++failures;
    }
}

std::wstring text(IAccessible *object,
                  HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR *))
{
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR value = nullptr;
    std::wstring result;
    if (SUCCEEDED((object->*get)(self, &value)) && value)
        result = value;
    SysFreeString(value);
    return result;
}

long number(IAccessible *object, HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT *))
{
    VARIANT self{}, value{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    return SUCCEEDED((object->*get)(self, &value)) && value.vt == VT_I4 ? value.lVal : -1;
}

BOOL CALLBACK noteChild(HWND child, LPARAM children)
{
    reinterpret_cast<std::vector<HWND> *>(children)->push_back(child);
    return TRUE;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3)
        return std::printf("usage: msaa_probe CODE FIELD_TEXT\n"), 2;
    const int code = std::atoi(argv[1]);
    const std::wstring fieldText(argv[2], argv[2] + std::string(argv[2]).size());
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    HWND window = nullptr;
    for (int tries = 0; !window && tries < 100; ++tries, Sleep(50))
        window = FindWindowW(L"CorvexSettings", L"Settings for Corvex:");
    if (!window)
        return std::printf("no settings window\n"), 1;

    std::vector<HWND> children;
    EnumChildWindows(window, noteChild, reinterpret_cast<LPARAM>(&children));
    int switches = 0;
    bool field = false, housing = false;
    for (HWND child : children) {
        IAccessible *object = nullptr;
        const HRESULT found = AccessibleObjectFromWindow(
            child, DWORD(OBJID_CLIENT), __uuidof(IAccessible), reinterpret_cast<void **>(&object));
        if (FAILED(found))
            continue;
        const std::wstring name = text(object, &IAccessible::get_accName);
        const long role = number(object, &IAccessible::get_accRole);
        if (name.rfind(L"Switch ", 0) == 0) {
            const int k = _wtoi(name.c_str() + 7);
            const bool on = !((code >> (k - 1)) & 1);
            const long state = number(object, &IAccessible::get_accState);
            const std::wstring description = text(object, &IAccessible::get_accDescription);
            expect(role == ROLE_SYSTEM_CHECKBUTTON, name + L": role " + std::to_wstring(role));
            expect(bool(state & STATE_SYSTEM_CHECKED) == on,
                   name + L": checked is not " + (on ? L"ON" : L"OFF"));
            expect(description == (on ? L"ON" : L"OFF"), name + L": description " + description);
            ++switches;
        } else if (name == L"Frequency in MHz") {
            expect(role == ROLE_SYSTEM_TEXT, L"field: role " + std::to_wstring(role));
            const std::wstring value = text(object, &IAccessible::get_accValue);
            expect(value == fieldText, L"field: value " + value);
            field = true;
        } else if (name == L"DIP switch") {
            housing = true;
        }
        object->Release();
    }
    expect(switches == 8, L"switches named: " + std::to_wstring(switches));
    expect(field, L"no field named \"Frequency in MHz\"");
    expect(housing, L"no housing named \"DIP switch\"");
    CoUninitialize();
    return failures ? 1 : 0;
}
