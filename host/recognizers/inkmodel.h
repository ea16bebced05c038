// The trained handwriting model: reads the point sequence of a word or line and gives, for each of
// its steps, the log probability of every character of its alphabet and of "nothing new". It runs
// on OpenCV's network module from the ONNX file the training wrote; the description beside it (the
// same name ending in .json) says which characters the model writes and which format it has, and a
// file the board cannot use is refused with the reason.
#pragma once

#include "lexicondecoder.h"

#include <QString>
#include <memory>
#include <mutex>
#include <vector>

class CInkModel
{
public:
    // The model format this board reads.
    static constexpr int c_iFormat = 1;

    ~CInkModel();

    // The model in strPath, checked by reading a few points with it; null with the reason, in words
    // for the teacher, when it is missing, damaged or of another format.
    static std::shared_ptr<CInkModel> load(const QString& strPath, QString* pstrProblem);
    // Where the board's own model is: HANDWRITING_MODEL when set, else beside the program or in the
    // source tree's models folder.
    static QString defaultPath();

    // The characters of columns 1 and on; column 0 is "nothing new".
    const QString& alphabet() const { return m_strAlphabet; }
    double step() const { return m_dStep; }
    // Log probabilities for rows of CInkFeatures::c_iFeatures values; empty on failure. Safe to call
    // from any thread, one reading at a time.
    CLexiconDecoder::SMatrix read(const std::vector<float>& features) const;

private:
    CInkModel();

    // The network, kept out of this header so that users need not see OpenCV's.
    struct SNet;
    std::unique_ptr<SNet> m_pNet;
    mutable std::mutex m_mutex;
    QString m_strAlphabet;
    double m_dStep = 0.0;
};
