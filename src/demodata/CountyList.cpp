#include "demodata/CountyList.h"

namespace {

// Regions: 1 East Anglia, 2 East Midlands, 3 Inner London, 4 North, 5 North-West,
// 6 Outer London, 7 Rest of South East, 8 South West, 9 West Midlands,
// 10 Yorks & Humbs, 11 Scotland, 12 Wales, 13 Northern Ireland.
// District counts follow the 1991 local government map: 366 in England, 37 in
// Wales, 56 in Scotland and 26 in Northern Ireland make the 485 of the tables.
constexpr CountyInfo kGreatBritain[] = {
    // London and the metropolitan counties: census numbers 01..08.
    { "Inner London", 3, 14 },
    { "Outer London", 6, 19 },
    { "Greater Manchester", 5, 10 },
    { "Merseyside", 5, 5 },
    { "South Yorkshire", 10, 4 },
    { "Tyne and Wear", 4, 5 },
    { "West Midlands", 9, 7 },
    { "West Yorkshire", 10, 5 },
    // The shire counties of England: 09..47.
    { "Avon", 8, 6 },
    { "Bedfordshire", 7, 4 },
    { "Berkshire", 7, 6 },
    { "Buckinghamshire", 7, 5 },
    { "Cambridgeshire", 1, 6 },
    { "Cheshire", 5, 8 },
    { "Cleveland", 4, 4 },
    { "Cornwall", 8, 7 },
    { "Cumbria", 4, 6 },
    { "Derbyshire", 2, 9 },
    { "Devon", 8, 10 },
    { "Dorset", 8, 8 },
    { "Durham", 4, 8 },
    { "East Sussex", 7, 7 },
    { "Essex", 7, 14 },
    { "Gloucestershire", 8, 6 },
    { "Hampshire", 7, 13 },
    { "Hereford and Worcester", 9, 9 },
    { "Hertfordshire", 7, 10 },
    { "Humberside", 10, 9 },
    { "Isle of Wight", 7, 2 },
    { "Kent", 7, 14 },
    { "Lancashire", 5, 14 },
    { "Leicestershire", 2, 9 },
    { "Lincolnshire", 2, 7 },
    { "Norfolk", 1, 7 },
    { "North Yorkshire", 10, 8 },
    { "Northamptonshire", 2, 7 },
    { "Northumberland", 4, 6 },
    { "Nottinghamshire", 2, 8 },
    { "Oxfordshire", 7, 5 },
    { "Shropshire", 9, 6 },
    { "Somerset", 8, 5 },
    { "Staffordshire", 9, 9 },
    { "Suffolk", 1, 7 },
    { "Surrey", 7, 11 },
    { "Warwickshire", 9, 5 },
    { "West Sussex", 7, 7 },
    { "Wiltshire", 8, 5 },
    // Wales: 48..55.
    { "Clwyd", 12, 6 },
    { "Dyfed", 12, 6 },
    { "Gwent", 12, 5 },
    { "Gwynedd", 12, 5 },
    { "Mid Glamorgan", 12, 6 },
    { "Powys", 12, 3 },
    { "South Glamorgan", 12, 2 },
    { "West Glamorgan", 12, 4 },
    // Scotland, the nine regions and three islands areas: 56..67.
    { "Borders", 11, 4 },
    { "Central", 11, 3 },
    { "Dumfries and Galloway", 11, 4 },
    { "Fife", 11, 3 },
    { "Grampian", 11, 5 },
    { "Highland", 11, 8 },
    { "Lothian", 11, 4 },
    { "Strathclyde", 11, 19 },
    { "Tayside", 11, 3 },
    { "Orkney Islands", 11, 1 },
    { "Shetland Islands", 11, 1 },
    { "Western Isles", 11, 1 },
};

constexpr CountyInfo kNorthernIreland = { "Northern Ireland", 13, 26 };

constexpr int districtTotal()
{
    int total = kNorthernIreland.districts;
    for (const CountyInfo& county : kGreatBritain)
        total += county.districts;
    return total;
}
static_assert(std::size(kGreatBritain) == 67);
static_assert(districtTotal() == 485);

} // namespace

std::span<const CountyInfo> greatBritainCounties()
{
    return kGreatBritain;
}

const CountyInfo& northernIrelandCounty()
{
    return kNorthernIreland;
}
