#pragma once
// The I/O Monitor: a non-modal window over the I/O record, for the operator
// to see every call the panels make.

#include <QTimer>
#include <QWidget>
#include <functional>

#include "windows/io_export.h"
#include "windows/remembered_geometry.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTableView;
class IoRecordModel;

class IoMonitor : public QWidget {
    Q_OBJECT

public:
    // `fetchMessage` gives the driver's message for a status; it is called
    // only when the operator selects a failed row, never while recording.
    using MessageFetcher = std::function<QString(std::int32_t status)>;

    IoMonitor(const iorecord::IoRecord& record, MessageFetcher fetchMessage,
              std::function<ScriptHeader()> scriptHeader, QWidget* parent = nullptr);
    ~IoMonitor() override;

    IoRecordModel& Model() { return *model_; }
    void PollNow();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void BuildLayout();
    void OnCurrentRowChanged(int row);
    void CopySelected();
    void SaveScript();
    void SaveLog();
    std::vector<iorecord::IoEntry> Entries(const std::vector<int>& rows) const;
    std::vector<iorecord::IoEntry> SelectedEntries() const;
    std::vector<iorecord::IoEntry> ShownEntries() const;
    void WriteFile(const QString& title, const QString& filter, const QString& name,
                   const QString& text);

    IoRecordModel* model_;
    MessageFetcher fetchMessage_;
    std::function<ScriptHeader()> scriptHeader_;
    QTableView* table_ = nullptr;
    QLineEdit* filter_ = nullptr;
    QCheckBox* failuresOnly_ = nullptr;
    QPushButton* pause_ = nullptr;
    QTimer pollTimer_;
    RememberedGeometry geometry_{*this, QStringLiteral("ioMonitor/geometry")};
};
