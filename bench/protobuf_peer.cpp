#include "protobuf_peer.h"

#include <google/protobuf/descriptor.pb.h>
#include <google/protobuf/message.h>

namespace TarnLinkBench {

namespace {

using google::protobuf::FieldDescriptorProto;

const char kMessageName[] = "AudioHostChanMute";
const char kHostChannel[] = "HostChannel";
const char kMute[] = "Mute";

void AddUInt32Field(google::protobuf::DescriptorProto& message, const char* name, int number)
{
    FieldDescriptorProto* field = message.add_field();
    field->set_name(name);
    field->set_number(number);
    field->set_type(FieldDescriptorProto::TYPE_UINT32);
    field->set_label(FieldDescriptorProto::LABEL_OPTIONAL);
}

} // namespace

ProtobufMuteMessage::ProtobufMuteMessage()
{
    google::protobuf::FileDescriptorProto file;
    file.set_name("audio_host_chan_mute.proto");
    google::protobuf::DescriptorProto* message = file.add_message_type();
    message->set_name(kMessageName);
    AddUInt32Field(*message, kHostChannel, 1);
    AddUInt32Field(*message, kMute, 2);
    pool_.BuildFile(file);
    factory_ = std::make_unique<google::protobuf::DynamicMessageFactory>(&pool_);
    parsed_.reset(factory_->GetPrototype(pool_.FindMessageTypeByName(kMessageName))->New());
}

std::size_t ProtobufMuteMessage::BuildAndSerialize(std::uint32_t hostChannel, std::uint32_t mute, unsigned char* out,
                                                   std::size_t capacity)
{
    const google::protobuf::Descriptor* type = pool_.FindMessageTypeByName(kMessageName);
    std::unique_ptr<google::protobuf::Message> message(factory_->GetPrototype(type)->New());
    const google::protobuf::Reflection* reflection = message->GetReflection();
    reflection->SetUInt32(message.get(), type->FindFieldByName(kHostChannel), hostChannel);
    reflection->SetUInt32(message.get(), type->FindFieldByName(kMute), mute);
    const std::size_t size = message->ByteSizeLong();
    return size <= capacity && message->SerializeToArray(out, static_cast<int>(capacity)) ? size : 0;
}

bool ProtobufMuteMessage::ParseAndRead(const unsigned char* bytes, std::size_t length, std::uint32_t& hostChannel,
                                       std::uint32_t& mute)
{
    if (!parsed_->ParseFromArray(bytes, static_cast<int>(length))) {
        return false;
    }
    const google::protobuf::Descriptor* type = parsed_->GetDescriptor();
    const google::protobuf::Reflection* reflection = parsed_->GetReflection();
    hostChannel = reflection->GetUInt32(*parsed_, type->FindFieldByName(kHostChannel));
    mute = reflection->GetUInt32(*parsed_, type->FindFieldByName(kMute));
    return true;
}

} // namespace TarnLinkBench
