// Program entry. The start-up sequence grows here as the windows come into being.
#include <QApplication>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  return 0;
}
