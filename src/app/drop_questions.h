// The messages and questions of a drop on the window. The window asks
// through message boxes and input boxes; tests answer from a script.
#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace korvane {

class DropQuestions {
  public:
    virtual ~DropQuestions() = default;
    virtual void tell(const QString& text) = 0;
    // The typed text; nothing for Cancel.
    virtual std::optional<QString> askText(const QString& caption, const QString& prompt,
                                           const QString& suggestion) = 0;
    virtual bool askYesNo(const QString& caption, const QString& text) = 0;
};

// Modal boxes over `parent`.
class BoxQuestions : public DropQuestions {
  public:
    explicit BoxQuestions(QWidget* parent) : parent_(parent) {}
    void tell(const QString& text) override;
    std::optional<QString> askText(const QString& caption, const QString& prompt,
                                   const QString& suggestion) override;
    bool askYesNo(const QString& caption, const QString& text) override;

  private:
    QWidget* parent_;
};

}  // namespace korvane
