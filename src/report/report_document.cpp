// The report document: header, file list, the sections by their flags, the operator.
#include "report/report_document.h"

#include "chromatogram/analysis_time.h"
#include "chromatogram/chrm_role.h"
#include "report/report_texts.h"
#include "shell/shell.h"
#include "shell/text.h"
#include "workbench/analysis.h"
#include "workbench/message_log.h"
#include "workbench/result_tables.h"

#include <optional>

namespace p528 {

namespace {

// Text `id` used as a printf format with one int.

constexpr std::string_view kAnalysisTag = "#анализ";

}  // namespace

std::string ReportDateText(const std::tm& now) {
  return Format("%d.%02d.%d", now.tm_mday, now.tm_mon + 1, now.tm_year + 1900);
}

std::string ReportMethodName(const Shell& shell, int32_t method) {
  switch (method) {
    case AstmD2887A: return shell.Str(text::kReportMethodAstm);
    case Gost56720A: return shell.Str(text::kReportMethod56720A);
    case Gost56720B: return shell.Str(text::kReportMethod56720B);
    case Gost54291: return shell.Str(text::kReportMethod54291);
    case Iso3924: return shell.Str(text::kReportMethodIso3924);
    default: return {};
  }
}

std::string ReportSampleName(const CAnalysis& analysis) {
  // Analysis 1 is the first record once the calculation has sorted them; before that (a
  // set without a calibration run is never sorted) it is the record numbered 1.
  if (analysis.Analyses.empty()) return {};
  const ChrmResult* first = &analysis.Analyses.front();
  for (const ChrmResult& record : analysis.Analyses) {
    if (record.Number == 1) {
      first = &record;
      break;
    }
  }
  if (first->File == nullptr) return {};
  std::string name = first->File->passport.sample;
  for (std::size_t at = name.find(kAnalysisTag); at != std::string::npos; at = name.find(kAnalysisTag, at)) {
    name.erase(at, kAnalysisTag.size());
  }
  return name;
}

std::vector<ReportFile> ReportFileList(const Shell& shell, const ChrmSet& set) {
  // One place each for the single roles (a later file of the same role takes the place).
  const int singleRoles[] = {RoleCalibration, RoleBlank, RoleReference, RoleCheck};
  const int singleTexts[] = {text::kReportRoleCalibration, text::kReportRoleBlank, text::kReportRoleReference,
                             text::kReportRoleCheck};
  std::vector<ReportFile> files;
  for (int k = 0; k < 4; ++k) {
    std::optional<ReportFile> place;
    for (const auto& [path, file] : set) {
      if (file.role == singleRoles[k]) place = ReportFile{&file, path, shell.Str(singleTexts[k])};
    }
    if (place) files.push_back(*place);
  }
  // Parallel runs, numbered by their place in set order.
  const int parallelRoles[] = {RoleAnalysis, RoleStandard};
  const int parallelTexts[] = {text::kReportRoleAnalysis, text::kReportRoleStandard};
  for (int k = 0; k < 2; ++k) {
    int place = 0;
    for (const auto& [path, file] : set) {
      if (file.role == parallelRoles[k]) {
        files.push_back({&file, path, TextInt(shell, parallelTexts[k], ++place)});
      }
    }
  }
  return files;
}

void FilesXml(CXMLWrapper& wrapper, const Shell& shell, const ChrmSet& set) {
  if (set.empty()) return;
  xmlNodePtr section = wrapper.AddElement(nullptr, "files");
  if (section == nullptr) return;
  for (const ReportFile& listed : ReportFileList(shell, set)) {
    xmlNodePtr one = wrapper.AddElement(section, "onefile");
    if (one == nullptr) return;
    wrapper.AddText(one, "proba", listed.file->passport.sample);
    wrapper.AddText(one, "type", listed.typeText);
    wrapper.AddText(one, "analise_time", AnalysisTimeText(listed.file->passport.andate));
    wrapper.AddText(one, "filename", FileNamePart(listed.path));
  }
}

bool ChartPictureXml(CXMLWrapper& wrapper, const char* section, ReportChart chart,
                     const ChartPictureSource& pictures) {
  std::vector<unsigned char> png;
  if (!pictures || !pictures(chart, png)) return false;
  xmlNodePtr element = wrapper.AddElement(nullptr, section);
  if (element != nullptr) wrapper.AddBinary(element, "picture", png.data(), png.size());
  return true;
}

BuildStatus BuildReportDocument(CXMLWrapper& wrapper, const ReportSources& sources,
                                const ReportOptions& options, const std::tm& now,
                                const ChartPictureSource& pictures) {
  if (!wrapper.Init()) return BuildStatus::DocumentFailed;
  const CAnalysis& engine = sources.analysis;
  const Shell& shell = engine.shell;

  wrapper.AddText(nullptr, "reportdate", ReportDateText(now));
  wrapper.AddInt(nullptr, "num_device", sources.num_device);
  wrapper.AddText(nullptr, "name_an", ReportSampleName(engine));
  xmlNodePtr method = wrapper.AddElement(nullptr, "method");
  if (method != nullptr) wrapper.AddText(method, "method_name", ReportMethodName(shell, engine.Method));

  if (IsInternalStandard(engine.Method)) {
    xmlNodePtr mass = wrapper.AddElement(nullptr, "mass");
    if (mass != nullptr) {
      wrapper.AddText(mass, "std_mass", engine.StdMass);
      wrapper.AddText(mass, "an_mass", engine.SampleMass);
    }
  }

  auto on = [&options](int32_t ReportOptions::*flag) { return SectionIncluded(options, flag); };
  if (on(&ReportOptions::flag_files)) FilesXml(wrapper, shell, sources.set);
  if (on(&ReportOptions::flag_grad_chart) &&
      !ChartPictureXml(wrapper, "grad_chart", ReportChart::Calibration, pictures)) {
    return BuildStatus::NoPicture;
  }
  if (on(&ReportOptions::flag_resp_rate)) ResponseTableXml(wrapper, shell, sources.tables.response);
  if (on(&ReportOptions::flag_Ref_table)) RefTableXml(wrapper, shell, sources.tables.reference);
  if (on(&ReportOptions::flag_prop_chart) &&
      !ChartPictureXml(wrapper, "prop_chart", ReportChart::Distillation, pictures)) {
    return BuildStatus::NoPicture;
  }
  if (on(&ReportOptions::flag_prop_table)) PropTableXml(engine, sources.tables.repeatability, wrapper);
  if (on(&ReportOptions::flag_fract_table)) FractTableXml(engine, sources.tables.fractions, wrapper);
  if (on(&ReportOptions::flag_prop_ISO3405)) Iso3405Xml(engine, wrapper);
  if (on(&ReportOptions::flag_msgs)) MessagesXml(wrapper, sources.messages);

  xmlNodePtr operatorStr = wrapper.AddElement(nullptr, "operator_str");
  if (operatorStr != nullptr) wrapper.AddText(operatorStr, "operator", sources.OperatorName);

  return wrapper.Failed() ? BuildStatus::DocumentFailed : BuildStatus::Built;
}

}  // namespace p528
