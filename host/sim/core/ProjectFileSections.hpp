#pragma once
// What every family's section of the project file uses: guids, the annotations that
// attributes and elements share, stored texts, and the section functions themselves.
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <unordered_set>

#include "ProjectFile.hpp"

namespace sim {

using nlohmann::json;

std::string GuidText(const API_Guid& guid);
// The guid in member `key`, or a new one when there is none.
API_Guid GuidOf(const json& j, const char* key);
API_Guid RequiredGuid(const json& j, const char* key);

// Every guid of a kind is given once: the host's look-ups and tree walks rely on it.
class GuidRegister {
public:
    void Claim(const std::string& kind, const API_Guid& guid);

private:
    // A hash per kind: a project of a million elements is claimed in linear time.
    std::map<std::string, std::unordered_set<API_Guid>> claimed;
};

// Stored bytes as a text: without the one terminating zero the add-on writes; zero
// bytes inside the text are part of it. And back.
std::string StoredText(const std::string& bytes);
std::string StoredBytes(const std::string& text);

json SaveAnnotations(const Annotations& a);
void LoadAnnotations(const json& j, Annotations& a);

// The sections, one per family.
void SaveAttributes(const Project& project, json& file);
void LoadAttributes(const json& file, Project& project, GuidRegister& guids);
void SaveElements(const Project& project, json& file);
void LoadElements(const json& file, Project& project, GuidRegister& guids);
void SaveProperties(const Project& project, json& file);
void LoadProperties(const json& file, Project& project, GuidRegister& guids);
void SaveClassifications(const Project& project, json& file);
void LoadClassifications(const json& file, Project& project, GuidRegister& guids);
void SaveLibParts(const Project& project, json& file);
void LoadLibParts(const json& file, Project& project);
void SaveDatabases(const Project& project, json& file);
void LoadDatabases(const json& file, Project& project, GuidRegister& guids);
void SaveIfc(const Project& project, json& file);
void LoadIfc(const json& file, Project& project);
void SaveAddOnData(const Project& project, json& file);
void LoadAddOnData(const json& file, Project& project);

} // namespace sim
