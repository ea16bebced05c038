#include "inkmodel.h"

#include "inkfeatures.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <opencv2/core.hpp>
#include <opencv2/dnn.hpp>

namespace {

const QString c_strModelName = QStringLiteral("latin-reader.onnx");

QString describe(const QString& strPath)
{
    return QFileInfo(strPath).completeBaseName() + QStringLiteral(".json");
}

} // namespace

struct CInkModel::SNet
{
    cv::dnn::Net net;
};

CInkModel::CInkModel() : m_pNet(std::make_unique<SNet>())
{
}

CInkModel::~CInkModel() = default;

QString CInkModel::defaultPath()
{
    const QString strSet = qEnvironmentVariable("HANDWRITING_MODEL");
    if (!strSet.isEmpty())
        return strSet;
    QStringList places;
    if (QCoreApplication::instance())
        places << QCoreApplication::applicationDirPath() + QStringLiteral("/models")
               << QCoreApplication::applicationDirPath() + QStringLiteral("/../models");
    places << QStringLiteral(TEXTPEN_SOURCE_DIR "/models");
    for (const QString& strPlace : places)
        if (QFileInfo::exists(QDir(strPlace).filePath(c_strModelName)))
            return QDir(strPlace).filePath(c_strModelName);
    return QDir(places.last()).filePath(c_strModelName);
}

std::shared_ptr<CInkModel> CInkModel::load(const QString& strPath, QString* pstrProblem)
{
    auto refuse = [&](const QString& strWhy) {
        if (pstrProblem)
            *pstrProblem = strWhy;
        return std::shared_ptr<CInkModel>();
    };
    const QString strName = QDir::toNativeSeparators(strPath);
    if (!QFileInfo(strPath).isFile())
        return refuse(QStringLiteral("The handwriting model %1 is missing.").arg(strName));

    QFile about(QFileInfo(strPath).dir().filePath(describe(strPath)));
    if (!about.open(QIODevice::ReadOnly))
        return refuse(QStringLiteral("The description of the handwriting model %1 is missing.").arg(strName));
    const QJsonObject description = QJsonDocument::fromJson(about.read(1 << 20)).object();
    std::shared_ptr<CInkModel> pModel(new CInkModel());
    pModel->m_strAlphabet = description.value(QStringLiteral("alphabet")).toString();
    pModel->m_dStep = description.value(QStringLiteral("step")).toDouble();
    if (description.value(QStringLiteral("format")).toInt() != c_iFormat ||
        description.value(QStringLiteral("features")).toInt() != CInkFeatures::c_iFeatures ||
        pModel->m_strAlphabet.isEmpty() || !(pModel->m_dStep > 0.0) || !std::isfinite(pModel->m_dStep))
        return refuse(QStringLiteral("The handwriting model %1 was made for another version of the board.")
                          .arg(strName));

    try {
        pModel->m_pNet->net = cv::dnn::readNetFromONNX(QFile::encodeName(strPath).toStdString());
    } catch (const cv::Exception&) {
        return refuse(QStringLiteral("The handwriting model %1 is damaged.").arg(strName));
    }
    if (pModel->m_pNet->net.empty())
        return refuse(QStringLiteral("The handwriting model %1 is damaged.").arg(strName));
    // A short stroke read through it proves that it runs and writes the alphabet it claims.
    const std::vector<float> probe = CInkFeatures::compute(
        {{QPointF(0, 0), QPointF(3, 9), QPointF(6, 0), QPointF(9, 9)}}, pModel->m_dStep);
    const CLexiconDecoder::SMatrix matrix = pModel->read(probe);
    if (matrix.isEmpty())
        return refuse(QStringLiteral("The handwriting model %1 is damaged.").arg(strName));
    if (matrix.iColumns != pModel->m_strAlphabet.size() + 1)
        return refuse(QStringLiteral("The handwriting model %1 was made for another version of the board.")
                          .arg(strName));
    return pModel;
}

CLexiconDecoder::SMatrix CInkModel::read(const std::vector<float>& features) const
{
    CLexiconDecoder::SMatrix matrix;
    const int iPoints = int(features.size() / CInkFeatures::c_iFeatures);
    if (iPoints == 0)
        return matrix;
    const int shape[] = {1, iPoints, CInkFeatures::c_iFeatures};
    // OpenCV reads the input in place, and forward() changes the network's state.
    cv::Mat input(3, shape, CV_32F, const_cast<float*>(features.data()));
    std::lock_guard<std::mutex> lock(m_mutex);
    cv::Mat output;
    try {
        m_pNet->net.setInput(input);
        output = m_pNet->net.forward();
    } catch (const cv::Exception&) {
        return matrix;
    }
    if (output.dims != 3 || output.size[0] != 1 || output.type() != CV_32F || !output.isContinuous())
        return matrix;
    matrix.iSteps = output.size[1];
    matrix.iColumns = output.size[2];
    const float* pData = output.ptr<float>();
    matrix.logs.assign(pData, pData + size_t(matrix.iSteps) * size_t(matrix.iColumns));
    return matrix;
}
