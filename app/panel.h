#pragma once
// Panel objects: long-lived models that own a page only while they are the
// current panel. Each class carries run-time class information so that a
// kind-of check can test an object against a class and its bases.

#include <QPointer>
#include <QString>
#include <QWidget>

struct RuntimeClass {
    const char* name;
    const RuntimeClass* base;

    bool IsDerivedFrom(const RuntimeClass& other) const;
};

class CSFPObject {
public:
    explicit CSFPObject(QString name);
    virtual ~CSFPObject();
    CSFPObject(const CSFPObject&) = delete;
    CSFPObject& operator=(const CSFPObject&) = delete;

    static const RuntimeClass kRuntimeClass;
    virtual const RuntimeClass& GetRuntimeClass() const;
    virtual void Serialize() {}
    virtual void AssertValid() const {}
    virtual void Dump() const {}

    bool IsKindOf(const RuntimeClass& runtimeClass) const;
    const QString& Name() const { return name_; }

private:
    const QString name_;
};

class CPanel : public CSFPObject {
public:
    explicit CPanel(QString name);
    // Destroys the page, then (in derived classes) whatever the panel keeps
    // for the run. The shell deletes the panels at shut-down while the
    // session still exists.
    ~CPanel() override;

    static const RuntimeClass kRuntimeClass;
    const RuntimeClass& GetRuntimeClass() const override;

    // Re-reads the panel's settings from the instrument and updates the page.
    virtual void Synchronize() {}
    // Builds the page from this object's state and makes the panel current.
    virtual void Show() {}
    // Destroys the page; the panel object and its settings survive.
    virtual void Hide();
    // Periodic work, also while the panel is hidden.
    virtual void Tick() {}

    QWidget* Window() const { return window; }

protected:
    // Non-owning in the model's sense: the main window holds the page while it
    // is shown; the pointer clears itself if the page goes away first.
    QPointer<QWidget> window;
};

// Shows "<class> failed conversion, fatal" and destroys the main window.
void ReportConversionFailure(const char* className);

// The object as `Panel` when it is one (or derived from it); otherwise the
// fatal conversion failure and null. A null object counts as a failure.
template <typename Panel>
Panel* CheckedConversion(CSFPObject* object) {
    if (object != nullptr && object->IsKindOf(Panel::kRuntimeClass)) {
        return static_cast<Panel*>(object);
    }
    ReportConversionFailure(Panel::kRuntimeClass.name);
    return nullptr;
}
