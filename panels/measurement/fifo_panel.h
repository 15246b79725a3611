#pragma once
// The FIFO panel: reads the instrument's data FIFO into the panel object, at
// most 1000 values per read, and shows twenty of them from a chosen reading.
// The values survive panel switches and go with the panel object.

#include <QRect>
#include <QStringList>
#include <cstddef>
#include <optional>
#include <vector>

#include "app/panel.h"
#include "app/panel_page.h"

class FramedLabel;
class QPushButton;

class CFifoObj : public CPanel {
public:
    CFifoObj();
    ~CFifoObj() override;

    static const RuntimeClass kRuntimeClass;
    const RuntimeClass& GetRuntimeClass() const override;

    void Show() override;

    static constexpr int kMaxValuesPerRead = 1000;
    static constexpr int kEmulatedValueCount = 40;

    // Reading number (1-based) in the grid's first cell.
    int firstShown = 1;
    int countRead = 0;
    // Values left in the instrument after the last read.
    int remaining = 0;
    // False after a failed read: the grid then shows no values at all.
    bool bufferValid = false;

    // Reading number n is at index n - 1; null before the first read.
    const std::vector<double>* Buffer() const { return buffer_ ? &*buffer_ : nullptr; }
    bool HasBuffer() const { return buffer_.has_value(); }
    // Frees the values; the counts stay.
    void FreeBuffer() { buffer_.reset(); }
    // Replaces the values with `count` zeros; false when memory runs out.
    bool AllocateBuffer(int count);
    std::vector<double>& MutableBuffer() { return *buffer_; }

protected:
    // The allocation itself; may throw std::bad_alloc.
    virtual std::vector<double> NewBuffer(std::size_t count);

private:
    std::optional<std::vector<double>> buffer_;
};

// What the twenty cells show, row by row: the value of reading
// `firstShown` + i as "%lg", "No Data" past `countRead`, or nothing at all
// without valid values.
QStringList FifoCellTexts(const CFifoObj& panel);

// The values read, one line each: the reading number and the value in the
// shortest text that reads back to the same double, separated by `separator`;
// empty without valid values.
QString FifoValuesText(const CFifoObj& panel, QChar separator);

// The grid under the caption: as wide as the caption, from 2 pixels below it
// to four text lines and 22 pixels below it.
QRect FifoGridRect(const QRect& caption, int lineHeight);

class CFifoDlg : public PanelPage {
public:
    explicit CFifoDlg(CFifoObj& panel);

    // Enter in the first-reading edit.
    void ApplyFirstReading(const QString& text);
    // The "Read Fifo" button.
    void ReadFifo();
    // "Save to CSV...": the values read, with a header line, to a chosen file.
    void SaveToCsv();

    QStringList CellTexts() const { return FifoCellTexts(panel_); }
    // Computed on the first paint; empty until then.
    QRect GridRect() const { return grid_; }
    bool ReadInProgress() const { return readInProgress_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void CreateCaptions();
    void ShowCaptions();
    void SetGridCaption();
    // Each false when the read stopped before anything changed on the page.
    bool ReadFromInstrument();
    bool FillEmulatedValues();
    void ResetFirstShown();
    void PaintGrid(QPainter& painter);
    void CreateSaveAndCopy();

    CFifoObj& panel_;
    FramedLabel* gridCaption_ = nullptr;
    FramedLabel* readCount_ = nullptr;
    FramedLabel* remainingCount_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    bool readInProgress_ = false;
    QRect grid_;
};
