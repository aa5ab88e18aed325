#include "StatusServer.h"

#include "StatusHttp.h"
#include "StatusText.h"

namespace kelvra {

StatusServer::StatusServer(StatusServerOptions options) : options_(std::move(options))
{
	thread_.setObjectName(QStringLiteral("status page"));
}

StatusServer::~StatusServer()
{
	handOver_.setWake(nullptr);
	thread_.quit();
	thread_.wait();
}

bool StatusServer::start(QString &error)
{
	if (http_) {
		error = StatusText::tr("状況ページはもう開いています");
		return false;
	}
	http_ = new StatusHttp(handOver_, options_.token);
	http_->moveToThread(&thread_);
	QObject::connect(&thread_, &QThread::finished, http_, &QObject::deleteLater);
	thread_.start();
	QString reason;
	QMetaObject::invokeMethod(
			http_,
			[this, &reason] {
				port_ = http_->open(options_.address, options_.port, reason);
			},
			Qt::BlockingQueuedConnection);
	if (port_ == 0) {
		error = StatusText::tr("%1 で状況ページを開けません: %2")
					.arg(options_.address.toString(), reason);
		return false;
	}
	StatusHttp *http = http_;
	handOver_.setWake([http] {
		QMetaObject::invokeMethod(http, &StatusHttp::takeNews, Qt::QueuedConnection);
	});
	// What was handed over before the server listened.
	QMetaObject::invokeMethod(http, &StatusHttp::takeNews, Qt::QueuedConnection);
	return true;
}

QString StatusServer::url() const
{
	return QStringLiteral("http://%1:%2/").arg(StatusHostText(options_.address)).arg(port_);
}

} // namespace kelvra
