#include "platform/ime/InputMethods.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace fw {

namespace {

constexpr int kCallTimeoutMs = 800;

const QString kFcitxService = QStringLiteral("org.fcitx.Fcitx5");
const QString kFcitxPath = QStringLiteral("/controller");
const QString kFcitxInterface = QStringLiteral("org.fcitx.Fcitx.Controller1");
const QString kIBusService = QStringLiteral("org.freedesktop.IBus");
const QString kIBusPath = QStringLiteral("/org/freedesktop/IBus");
const QString kIBusInterface = QStringLiteral("org.freedesktop.IBus");

// The strings of one D-Bus structure, in order; nested containers are skipped.
QStringList StructureStrings(const QDBusArgument& argument) {
  QStringList strings;
  argument.beginStructure();
  while (!argument.atEnd()) {
    const QVariant value = argument.asVariant();
    if (value.metaType().id() == QMetaType::QString) strings << value.toString();
  }
  argument.endStructure();
  return strings;
}

QDBusMessage Call(QDBusConnection& bus, const QString& service, const QString& path, const QString& interface,
                  const QString& method, const QVariantList& arguments = {}) {
  QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, method);
  message.setArguments(arguments);
  return bus.call(message, QDBus::Block, kCallTimeoutMs);
}

bool Succeeded(const QDBusMessage& reply) { return reply.type() == QDBusMessage::ReplyMessage; }

// Fcitx 5 on the session bus.
bool FcitxRunning(QDBusConnection& bus) {
  return bus.isConnected() && bus.interface() && bus.interface()->isServiceRegistered(kFcitxService).value();
}

// The methods of a reply holding an array: each element's strings come from `strings`,
// the method's name and title are the strings at nameAt and nameAt + 1.
TInputMethodList ReadMethods(const QDBusMessage& reply, QStringList (*strings)(const QDBusArgument&), int nameAt) {
  TInputMethodList methods;
  if (!Succeeded(reply) || reply.arguments().isEmpty()) return methods;
  const QDBusArgument list = reply.arguments().constFirst().value<QDBusArgument>();
  list.beginArray();
  while (!list.atEnd()) {
    const QStringList s = strings(list);
    if (s.size() > nameAt + 1) methods.push_back({s[nameAt], s[nameAt + 1]});
  }
  list.endArray();
  return methods;
}

// (unique name, name, native name, icon, label, language, configurable)
TInputMethodList FcitxMethods(QDBusConnection& bus) {
  return ReadMethods(Call(bus, kFcitxService, kFcitxPath, kFcitxInterface, QStringLiteral("AvailableInputMethods")),
                     StructureStrings, 0);
}

// IBus on its own bus, whose address the daemon leaves in the environment or in a file
// under the user's configuration folder.
QString IBusAddress() {
  const QString fromEnvironment = qEnvironmentVariable("IBUS_ADDRESS");
  if (!fromEnvironment.isEmpty()) return fromEnvironment;
  const QDir folder(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                    QStringLiteral("/ibus/bus"));
  if (!folder.exists()) return QString();
  for (const QFileInfo& info : folder.entryInfoList(QDir::Files, QDir::Time)) {
    QFile file(info.filePath());
    if (!file.open(QIODevice::ReadOnly)) continue;
    for (const QByteArray& line : file.readAll().split('\n')) {
      if (line.startsWith("IBUS_ADDRESS=")) return QString::fromUtf8(line.mid(13)).trimmed();
    }
  }
  return QString();
}

QDBusConnection IBusConnection() {
  const QString address = IBusAddress();
  if (address.isEmpty()) return QDBusConnection(QString());
  return QDBusConnection::connectToBus(address, QStringLiteral("fenwright-ibus"));
}

// Each engine is a variant holding ("IBusEngineDesc", attachments, name, long name, ...).
QStringList EngineStrings(const QDBusArgument& list) {
  const QVariant engine = list.asVariant();
  return StructureStrings(engine.value<QDBusVariant>().variant().value<QDBusArgument>());
}

TInputMethodList IBusMethods(QDBusConnection& bus) {
  return ReadMethods(Call(bus, kIBusService, kIBusPath, kIBusInterface, QStringLiteral("ListEngines")), EngineStrings, 1);
}

const TInputMethod* FindMethod(const TInputMethodList& methods, const QString& name) {
  for (const TInputMethod& m : methods)
    if (m.Name == name || m.Title == name) return &m;
  return nullptr;
}

TInputMethodList RealList() {
  QDBusConnection session = QDBusConnection::sessionBus();
  if (FcitxRunning(session)) return FcitxMethods(session);
  QDBusConnection ibus = IBusConnection();
  if (ibus.isConnected()) return IBusMethods(ibus);
  return {};
}

bool RealSwitch(const QString& name) {
  QDBusConnection session = QDBusConnection::sessionBus();
  if (FcitxRunning(session)) {
    const TInputMethod* method = FindMethod(FcitxMethods(session), name);
    if (!method) return false;
    if (!Succeeded(Call(session, kFcitxService, kFcitxPath, kFcitxInterface, QStringLiteral("SetCurrentIM"), {method->Name})))
      return false;
    return Succeeded(Call(session, kFcitxService, kFcitxPath, kFcitxInterface, QStringLiteral("Activate")));
  }
  QDBusConnection ibus = IBusConnection();
  if (!ibus.isConnected()) return false;
  const TInputMethod* method = FindMethod(IBusMethods(ibus), name);
  return method &&
         Succeeded(Call(ibus, kIBusService, kIBusPath, kIBusInterface, QStringLiteral("SetGlobalEngine"), {method->Name}));
}

TInputMethodBackend& Backend() {
  static TInputMethodBackend backend{RealList, RealSwitch};
  return backend;
}

} // namespace

TInputMethodList InstalledInputMethods() { return Backend().List(); }

QStringList InstalledInputMethodTitles() {
  QStringList titles;
  for (const TInputMethod& method : InstalledInputMethods()) titles << method.Title;
  return titles;
}

bool SwitchInputMethod(const QString& name) {
  if (name.trimmed().isEmpty()) return false;
  return Backend().Switch(name.trimmed());
}

TInputMethodBackend InstallInputMethodBackend(TInputMethodBackend backend) {
  TInputMethodBackend previous = Backend();
  if (!backend.List) backend.List = RealList;
  if (!backend.Switch) backend.Switch = RealSwitch;
  Backend() = std::move(backend);
  return previous;
}

} // namespace fw
