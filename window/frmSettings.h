#pragma once

#include <QMetaObject>
#include <QWidget>
#include <array>
#include <memory>

class QLabel;
class QLineEdit;
class SettingsController;
class SwitchPicture;
class WidgetView;

// The settings window: the frequency field, the instruction text and the
// DIP switch block. All behaviour lives in SettingsController; this class
// builds the controls and routes their events to it.
class frmSettings : public QWidget
{
    Q_OBJECT

public:
    explicit frmSettings(QWidget *parent = nullptr);
    ~frmSettings() override;

    // The load event: call once, before the window is first shown.
    void load();

    QLineEdit *txtFreq() const { return m_txtFreq; }
    SwitchPicture *picDIP_SW() const { return m_picDIP_SW; }
    SwitchPicture *pic(int k) const { return m_pics.at(std::size_t(k - 1)); }
    QLabel *Description() const { return m_Description; }
    QLabel *MHz() const { return m_MHz; }
    const SettingsController &controller() const { return *m_controller; }

private:
    void buildWindow();
    void buildControls();
    void setTabOrder();
    void bindEvents();
    void onFocusChanged(QWidget *old, QWidget *now);

    QLineEdit *m_txtFreq = nullptr;
    SwitchPicture *m_picDIP_SW = nullptr;
    std::array<SwitchPicture *, 8> m_pics{};
    QLabel *m_Description = nullptr;
    QLabel *m_MHz = nullptr;
    std::unique_ptr<WidgetView> m_view;
    std::unique_ptr<SettingsController> m_controller;
    QMetaObject::Connection m_focusConnection;
};
