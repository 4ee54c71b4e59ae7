#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setObjectName(QStringLiteral("Fchrono"));
    window.setWindowTitle(QStringLiteral(" Calcul Chrono et réduction kilometrique V1.3"));
    window.show();
    return app.exec();
}
