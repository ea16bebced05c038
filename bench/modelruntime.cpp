// The two inference libraries the board could read handwriting with, on the same trained model and
// the same words: TorchScript through libtorch (the .pt file) and ONNX through OpenCV's network
// module (the .onnx file, as the board loads it). For each: the load time (median of 5 loads) and the
// time per word (median and 95th percentile over the words of the InkML files), with the largest
// difference between their outputs. Ends with one line that scripts read:
//   words=N torch_load_ms=M torch_median_ms=M torch_p95_ms=M opencv_load_ms=M opencv_median_ms=M
//   opencv_p95_ms=M max_difference=D
// Built only where libtorch-dev is installed; the board itself does not need it.
#include "inkfeatures.h"
#include "inkmlreader.h"
#include "inkmodel.h"
#include "orderstatistics.h"

#include <ATen/Parallel.h>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTextStream>
#include <cstdio>
#include <torch/script.h>

namespace {

double msSince(const QElapsedTimer& timer)
{
    return timer.nsecsElapsed() / 1.0e6;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    // One thread each, as the board reads: the other core is the board's.
    at::set_num_threads(1);
    const QString strOnnx = CInkModel::defaultPath();
    const QString strTorch = QFileInfo(strOnnx).dir().filePath(QFileInfo(strOnnx).completeBaseName() + ".pt");
    QStringList files;
    for (const QString& strArgument : app.arguments().mid(1)) {
        const QFileInfo info(strArgument);
        if (info.isDir())
            for (const QString& strName :
                 QDir(strArgument).entryList({QStringLiteral("*.inkml")}, QDir::Files))
                files.append(QDir(strArgument).filePath(strName));
        else
            files.append(strArgument);
    }
    if (files.isEmpty()) {
        std::fprintf(stderr, "modelruntime: give InkML files or folders\n");
        return 2;
    }

    QVector<double> torchLoads, opencvLoads;
    torch::jit::Module torchModel;
    std::shared_ptr<CInkModel> pOpenCv;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer timer;
        timer.start();
        torchModel = torch::jit::load(strTorch.toStdString());
        torchModel.eval();
        torchLoads.append(msSince(timer));
        timer.restart();
        QString strProblem;
        pOpenCv = CInkModel::load(strOnnx, &strProblem);
        opencvLoads.append(msSince(timer));
        if (!pOpenCv) {
            std::fprintf(stderr, "modelruntime: %s\n", qPrintable(strProblem));
            return 1;
        }
    }

    torch::NoGradGuard noGradients;
    QVector<double> torchMs, opencvMs;
    double dDifference = 0.0;
    for (const QString& strFile : files) {
        CInkMLReader reader;
        if (!reader.readFile(strFile)) {
            std::fprintf(stderr, "modelruntime: %s\n", qPrintable(reader.errorString()));
            return 1;
        }
        for (const SInkWriting& writing : reader.writings()) {
            std::vector<float> features = CInkFeatures::compute(writing.strokes, pOpenCv->step());
            const long iPoints = long(features.size() / CInkFeatures::c_iFeatures);
            if (iPoints == 0)
                continue;
            QElapsedTimer timer;
            timer.start();
            const at::Tensor input =
                torch::from_blob(features.data(), {1, iPoints, CInkFeatures::c_iFeatures});
            const at::Tensor output = torchModel.forward({input}).toTensor().contiguous();
            torchMs.append(msSince(timer));
            timer.restart();
            const CLexiconDecoder::SMatrix matrix = pOpenCv->read(features);
            opencvMs.append(msSince(timer));
            const float* pTorch = output.data_ptr<float>();
            if (size_t(output.numel()) != matrix.logs.size()) {
                std::fprintf(stderr, "modelruntime: the two give different shapes\n");
                return 1;
            }
            for (size_t i = 0; i < matrix.logs.size(); ++i)
                dDifference = std::max(dDifference, double(std::fabs(pTorch[i] - matrix.logs[i])));
        }
    }
    QTextStream out(stdout);
    auto number = [](double d) { return QString::number(d, 'f', 2); };
    out << "words=" << torchMs.size() << " torch_load_ms=" << number(percentile(torchLoads, 0.5))
        << " torch_median_ms=" << number(percentile(torchMs, 0.5))
        << " torch_p95_ms=" << number(percentile(torchMs, 0.95))
        << " opencv_load_ms=" << number(percentile(opencvLoads, 0.5))
        << " opencv_median_ms=" << number(percentile(opencvMs, 0.5))
        << " opencv_p95_ms=" << number(percentile(opencvMs, 0.95))
        << " max_difference=" << QString::number(dDifference, 'g', 3) << '\n';
    return 0;
}
