#include "frmSettings.h"

#include "controller.h"
#include "picturebox.h"
#include "pictureloader.h"
#include "widetext.h"
#include "win32view.h"

#include <commctrl.h>
#include <cstring>
#include <iterator>

namespace {

constexpr const wchar_t *ClassName = L"CorvexSettings";
constexpr DWORD WindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr int FirstControlId = 100;
constexpr UINT AddToolTipsMessage = WM_APP + 1;

int controlId(const Design::Control &design)
{
    return FirstControlId + int(&design - std::begin(Design::Controls));
}

// Switch k for the control that is "pic<k>", else 0.
int switchNumber(const Design::Control &design)
{
    const char *name = design.name;
    if (std::strlen(name) == 4 && std::strncmp(name, "pic", 3) == 0 && name[3] >= '1' &&
        name[3] <= '8')
        return name[3] - '0';
    return 0;
}

int CALLBACK noteFontFound(const LOGFONTW *, const TEXTMETRICW *, DWORD, LPARAM found)
{
    *reinterpret_cast<bool *>(found) = true;
    return 0;
}

bool fontInstalled(const wchar_t *family)
{
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(wanted.lfFaceName, family, LF_FACESIZE - 1);
    bool found = false;
    WindowDC screen(nullptr);
    EnumFontFamiliesExW(screen, &wanted, noteFontFound, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

// How the user's locale writes numbers; Windows programs write ASCII digits.
LocaleFacts userLocaleFacts()
{
    const auto info = [](LCTYPE type, const char *fallback) {
        wchar_t buffer[16] = {};
        if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, buffer, 16) > 1)
            return narrow(buffer);
        return std::string(fallback);
    };
    LocaleFacts facts;
    facts.decimalSeparator = info(LOCALE_SDECIMAL, ".");
    facts.minusSign = info(LOCALE_SNEGATIVESIGN, "-");
    return facts;
}

} // namespace

void frmSettings::registerClass(HINSTANCE instance)
{
    const auto icon = [&](int width, int height) {
        return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                             GetSystemMetrics(width), GetSystemMetrics(height), 0));
    };
    WNDCLASSEXW formClass = windowClass(instance, ClassName);
    formClass.hIcon = icon(SM_CXICON, SM_CYICON);
    formClass.hIconSm = icon(SM_CXSMICON, SM_CYSMICON);
    if (!formClass.hIcon || !formClass.hIconSm)
        throwLastError("The program's icon cannot be loaded");
    formClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    if (!RegisterClassExW(&formClass))
        throwLastError("The settings window's class cannot be registered");
    PictureBox::registerClass(instance);
}

frmSettings::frmSettings(HINSTANCE instance, EventGuard &guard) : WindowBase(guard)
{
    {
        // Whole-number scaling keeps each switch exactly over its slot.
        WindowDC screen(nullptr);
        m_scale = std::max(1, (GetDeviceCaps(screen, LOGPIXELSY) + 48) / 96);
    }
    RECT frame{0, 0, Design::pixels(Design::ClientWidth) * m_scale,
               Design::pixels(Design::ClientHeight) * m_scale};
    AdjustWindowRectEx(&frame, WindowStyle, FALSE, WS_EX_APPWINDOW);
    if (!CreateWindowExW(WS_EX_APPWINDOW, ClassName, widen(Design::Caption).c_str(), WindowStyle,
                         CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                         frame.bottom - frame.top, nullptr, nullptr, instance, this))
        throwLastError("The settings window cannot be created");

    // The TrueType face made to stand in for the old raster font stays sharp
    // at every size and scale; looking for it once is enough.
    const std::wstring standIn = L"Microsoft Sans Serif";
    m_fontFamily = fontInstalled(standIn.c_str()) ? standIn : widen(Design::WindowFont.family);
    m_windowFont.reset(fontOf(Design::WindowFont));
    m_largeFont.reset(fontOf(Design::LargeFont));
    m_fieldBrush.reset(CreateSolidBrush(toColorRef(Design::control("txtFreq").background)));
    m_labelBrush.reset(CreateSolidBrush(toColorRef(Design::control("Description").background)));
    if (!m_windowFont || !m_largeFont || !m_fieldBrush || !m_labelBrush)
        throwLastError("The settings window's fonts and colours cannot be made");
    buildControls(instance);

    std::array<PictureBox *, 8> pics{};
    for (int k = 1; k <= 8; ++k)
        pics[std::size_t(k - 1)] = m_pics[std::size_t(k - 1)].get();
    m_view = std::make_unique<Win32View>(m_txtFreq, m_Description, pics);
    m_controller = std::make_unique<SettingsController>(*m_view, NumberText(userLocaleFacts()));
    m_focusWhenActive = m_txtFreq;
}

frmSettings::~frmSettings()
{
    if (m_hwnd) {
        m_closing = true;
        DestroyWindow(m_hwnd);
    }
}

void frmSettings::load()
{
    m_controller->Form_Load();
}

void frmSettings::show(int showCommand)
{
    ShowWindow(m_hwnd, showCommand);
    UpdateWindow(m_hwnd);
    SetFocus(m_txtFreq);
    // Tooltips wait until the window is up: nobody hovers before it shows.
    PostMessageW(m_hwnd, AddToolTipsMessage, 0, 0);
}

HFONT frmSettings::fontOf(const Design::Font &font) const
{
    LOGFONTW logical{};
    logical.lfHeight = -MulDiv(font.points, 96 * m_scale, 72);
    logical.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    logical.lfCharSet = ANSI_CHARSET; // Western
    logical.lfQuality = DEFAULT_QUALITY;
    wcsncpy(logical.lfFaceName, m_fontFamily.c_str(), LF_FACESIZE - 1);
    return CreateFontIndirectW(&logical);
}

RECT frmSettings::scaled(const Design::Control &design) const
{
    using Design::pixels;
    const int left = pixels(design.left) * m_scale;
    const int top = pixels(design.top) * m_scale;
    return {left, top, left + pixels(design.width) * m_scale,
            top + pixels(design.height) * m_scale};
}

void frmSettings::buildControls(HINSTANCE instance)
{
    // The housing first: one switch lives inside it.
    buildControl(instance, Design::control("picDIP_SW"), controlId(Design::control("picDIP_SW")));
    for (const Design::Control &design : Design::Controls)
        if (std::strcmp(design.name, "picDIP_SW") != 0)
            buildControl(instance, design, controlId(design));

    // Stacking as designed: each control in turn goes to the bottom, so the
    // first of the table ends on top. Tab order follows, as in a dialog.
    for (const Design::Control &design : Design::Controls)
        SetWindowPos(GetDlgItem(design.inHousing ? m_picDIP_SW->hwnd() : m_hwnd, controlId(design)),
                     HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

HWND frmSettings::buildControl(HINSTANCE instance, const Design::Control &design, int id)
{
    const RECT at = scaled(design);
    HWND parent = design.inHousing ? m_picDIP_SW->hwnd() : m_hwnd;
    HWND control = nullptr;
    switch (design.kind) {
    case Design::Kind::PictureBox: {
        // The switches take the focus on a click, but are not Tab stops: no key flips them.
        const bool housing = std::strcmp(design.name, "picDIP_SW") == 0;
        auto box = std::make_unique<PictureBox>(parent, id, POINT{at.left, at.top}, m_scale,
                                                toColorRef(design.background), housing, m_guard);
        box->setPicture(loadEmbeddedPicture(instance, design.picture));
        control = box->hwnd();
        if (housing)
            m_picDIP_SW = std::move(box);
        else
            m_pics[std::size_t(switchNumber(design) - 1)] = std::move(box);
        return control;
    }
    case Design::Kind::TextBox:
        // The window draws the thin border around the edit (onPaint), as wide
        // as the scale: WS_BORDER stays one device pixel at every scale.
        control = CreateWindowExW(
            0, L"EDIT", widen(design.text).c_str(),
            WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | ES_CENTER | ES_AUTOHSCROLL,
            at.left + m_scale, at.top + m_scale, at.right - at.left - 2 * m_scale,
            at.bottom - at.top - 2 * m_scale, parent, reinterpret_cast<HMENU>(INT_PTR(id)),
            instance, nullptr);
        if (!control || !SetWindowSubclass(control, fieldProc, 1, 0))
            throwLastError("The frequency field cannot be created");
        SendMessageW(control, EM_SETLIMITTEXT, Design::FrequencyMaxLength, 0);
        m_txtFreq = control;
        break;
    case Design::Kind::Label:
        control = CreateWindowExW(0, L"STATIC", widen(design.text).c_str(),
                                  WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SS_LEFT | SS_NOPREFIX,
                                  at.left, at.top, at.right - at.left, at.bottom - at.top, parent,
                                  reinterpret_cast<HMENU>(INT_PTR(id)), instance, nullptr);
        if (!control)
            throwLastError("A label cannot be created");
        if (std::strcmp(design.name, "Description") == 0)
            m_Description = control;
        break;
    }
    const bool large = design.font.points == Design::LargeFont.points;
    SendMessageW(control, WM_SETFONT,
                 reinterpret_cast<WPARAM>(large ? m_largeFont.get() : m_windowFont.get()), FALSE);
    return control;
}

void frmSettings::addToolTips()
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(m_hwnd, GWLP_HINSTANCE));
    m_toolTips =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, m_hwnd, nullptr, instance, nullptr);
    for (const Design::Control &design : Design::Controls) {
        if (!*design.toolTip)
            continue;
        HWND parent = design.inHousing ? m_picDIP_SW->hwnd() : m_hwnd;
        std::wstring text = widen(design.toolTip);
        TOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = parent;
        tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(parent, controlId(design)));
        tool.lpszText = text.data();
        SendMessageW(m_toolTips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

LRESULT frmSettings::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        onCommand(wParam);
        return 0;
    case WM_CTLCOLOREDIT:
        return onFieldColour(reinterpret_cast<HDC>(wParam));
    case WM_CTLCOLORSTATIC:
        return onLabelColour(reinterpret_cast<HDC>(wParam));
    case WM_ACTIVATE:
        onActivate(wParam);
        return 0;
    case WM_PAINT:
        onPaint();
        return 0;
    case AddToolTipsMessage:
        addToolTips();
        return 0;
    case WM_CLOSE:
        m_closing = true;
        DestroyWindow(m_hwnd);
        return 0;
    case WM_DESTROY:
        m_closing = true;
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(m_hwnd, message, wParam, lParam);
}

LRESULT CALLBACK frmSettings::fieldProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR, DWORD_PTR)
{
    const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
    if (message == WM_KILLFOCUS) {
        // Through the window's binding, which is gone once the form is.
        if (auto *form = static_cast<frmSettings *>(boundTo(GetParent(hwnd))))
            form->m_guard.run([&] { form->onFieldLosesFocus(reinterpret_cast<HWND>(wParam)); });
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, fieldProc, 1);
    }
    return result;
}

void frmSettings::onFieldLosesFocus(HWND next)
{
    // Only a move to another control of this window validates the field; the
    // window losing activation, or being destroyed, does not.
    if (!m_closing && next && IsChild(m_hwnd, next))
        m_controller->txtFreq_Validate();
}

void frmSettings::onCommand(WPARAM wParam)
{
    const int index = LOWORD(wParam) - FirstControlId;
    if (HIWORD(wParam) != BN_CLICKED || index < 0 || index >= int(std::size(Design::Controls)))
        return; // Enter and Escape arrive here too, as IDOK and IDCANCEL
    if (const int k = switchNumber(Design::Controls[index]))
        m_controller->picClick(k);
}

LRESULT frmSettings::onFieldColour(HDC dc)
{
    SetTextColor(dc, m_view ? m_view->frequencyColour()
                            : toColorRef(Design::control("txtFreq").foreground));
    SetBkColor(dc, toColorRef(Design::control("txtFreq").background));
    return reinterpret_cast<LRESULT>(m_fieldBrush.get());
}

LRESULT frmSettings::onLabelColour(HDC dc)
{
    SetTextColor(dc, toColorRef(Design::control("Description").foreground));
    SetBkColor(dc, toColorRef(Design::control("Description").background));
    return reinterpret_cast<LRESULT>(m_labelBrush.get());
}

void frmSettings::onPaint()
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_hwnd, &paint);
    const RECT field = scaled(Design::control("txtFreq"));
    HBRUSH frame = GetSysColorBrush(COLOR_WINDOWFRAME);
    const RECT sides[] = {
        {field.left, field.top, field.right, field.top + m_scale},
        {field.left, field.bottom - m_scale, field.right, field.bottom},
        {field.left, field.top, field.left + m_scale, field.bottom},
        {field.right - m_scale, field.top, field.right, field.bottom},
    };
    for (const RECT &side : sides)
        FillRect(dc, &side, frame);
    EndPaint(m_hwnd, &paint);
}

void frmSettings::onActivate(WPARAM wParam)
{
    // A plain window does not remember its focus as a dialog does: keep it,
    // so that coming back puts the caret where it was.
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(m_hwnd, focus))
            m_focusWhenActive = focus;
    } else if (m_focusWhenActive) {
        SetFocus(m_focusWhenActive);
    }
}
