#pragma once
#include <QMainWindow>

class QMdiArea;
class QLabel;

namespace selvane {

class TMainForm : public QMainWindow {
  Q_OBJECT
 public:
  explicit TMainForm(QWidget* parent = nullptr);
  ~TMainForm() override;

 private:
  void FormCreate();
  QMdiArea* zone_ = nullptr;
  QLabel* resume_ = nullptr;
};

}  // namespace selvane
